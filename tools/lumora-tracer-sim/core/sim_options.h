// The simulator's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "base/core/problem.h"
#include "core/sim_packets.h"

namespace lumora::sim {

// Bytes of a packet sent before a pause, and the pause in milliseconds.
struct Pause {
  std::size_t afterBytes = 0;
  int millis = 0;
};

// Bytes put into the first copy of each body after `afterBytes` of it: a stray byte on the line.
struct Garble {
  std::size_t afterBytes = 0;
  std::string bytes;
};

struct SimOptions {
  std::string device;  // --device PATH: the tracer's end of a serial line
  bool pty = false;    // --pty: open a pseudo-terminal pair and print the path for the host
  int fd = -1;         // --fd N: an inherited descriptor (the master side of a pair)
  int speed = 19200;   // --speed N: line speed set on --device, bits per second
  std::vector<std::string> files;     // trace files to upload, in order
  RequestOptions request;             // job "" means: each file's own name
  bool init = false;                  // --init: send "REQ=INI" first
  std::optional<Pause> requestPause;  // --request-pause N:MS
  std::optional<Pause> bodyPause;     // --body-pause N:MS
  int baud = 0;                       // --baud N: pace sending at N bits per second; 0 = at once
  int repeat = 1;                     // --repeat N: send the files N times
  int replyTimeoutMs = 10000;         // --reply-timeout MS: give up on a silent host
  int gapMs = 300;                    // --gap MS: pause between uploads
  int openTimeoutMs = 30000;          // --open-timeout MS: wait for the host to open the line
  std::optional<Garble> garble;       // --garble N:BYTES
  std::optional<unsigned> noiseSeed;  // --noise SEED: line noise before packets
  int firstJob = -1;                  // --number-jobs N: upload i has job N + i - 1
  bool mix = false;                   // --mix: CRC on every other upload, quotes on every other pair
};

// Parses the arguments after the program name; on bad input, a one-line reason.
Result<SimOptions> parseSimOptions(const std::vector<std::string>& args);

extern const char* const kSimUsage;

}  // namespace lumora::sim

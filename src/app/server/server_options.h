// The server's command line.
#pragma once

#include <string>
#include <vector>

#include "base/core/problem.h"

namespace lumora {

struct ServerOptions {
  enum class Mode { Tray, Headless, ProbePorts, Help };
  Mode mode = Mode::Tray;
  std::string device;   // --device PATH; empty: the device of the "Port" setting
  int speed = 0;        // --speed N, bits per second; 0: the "Speed" setting
  std::string saveDir;  // --save-dir DIR; empty: the "SavePath" setting
};

// Parses the arguments after the program name; on bad input, a one-line reason.
Result<ServerOptions> parseServerOptions(const std::vector<std::string>& args);

extern const char* const kServerUsage;

}  // namespace lumora

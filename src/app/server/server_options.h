// The server's command line.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/core/problem.h"

namespace lumora {

struct ServerOptions {
  enum class Mode { Tray, Headless, ProbePorts, Help, Version };
  Mode mode = Mode::Tray;
  std::string device;   // --device PATH; empty: the device of the "Port" setting
  int speed = 0;        // --speed N, bits per second; 0: the "Speed" setting
  std::string saveDir;  // --save-dir DIR; empty: the "SavePath" setting
};

// Parses the arguments after the program name; on bad input, a one-line reason.
Result<ServerOptions> parseServerOptions(const std::vector<std::string>& args);
// lumora-trace-serverd's command line: the link options of --headless, --help and --version.
Result<ServerOptions> parseHeadlessOptions(std::vector<std::string> args);

extern const std::string kServerUsage;
extern const std::string kHeadlessUsage;

// Answers a command line that starts nothing: bad usage (the reason and `usage` on stderr,
// then 2), --help (`usage` on stdout, 0) or --version (0). Nothing when the program runs.
std::optional<int> answerWithoutRunning(const Result<ServerOptions>& options, std::string_view program,
                                        std::string_view usage);

}  // namespace lumora

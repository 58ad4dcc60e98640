// The server's command line.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumora {

struct ServerOptions {
  enum class Mode { Tray, Headless, ProbePorts, Help };
  Mode mode = Mode::Tray;
  std::string device;   // --device PATH; empty: the device of the "Port" setting
  int speed = 0;        // --speed N, bits per second; 0: the "Speed" setting
  std::string saveDir;  // --save-dir DIR; empty: the "SavePath" setting
};

// Parses the arguments after the program name. On bad input returns nothing and sets
// `error` to a one-line reason.
std::optional<ServerOptions> ParseServerOptions(const std::vector<std::string>& args,
                                                std::string& error);

extern const char* const ServerUsage;

}  // namespace lumora

// The lumora-trace sub-commands. Each returns the process exit code:
// 0 success, 1 a file could not be read or written, 2 bad usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace lumora::tool {

constexpr int kExitOk = 0;
constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

int RunInfo(const std::vector<std::string>& args, Streams io);
int RunResize(const std::vector<std::string>& args, Streams io);
int RunDrills(const std::vector<std::string>& args, Streams io);
int RunLabel(const std::vector<std::string>& args, Streams io);
int RunGetAll(const std::vector<std::string>& args, Streams io);
int RunMultiLine(const std::vector<std::string>& args, Streams io);

// Dispatches `args` (without the program name) to a sub-command.
int RunTool(const std::vector<std::string>& args, Streams io);

}  // namespace lumora::tool

// The lumora-trace sub-commands. Each returns the process exit code:
// 0 success, 1 a file could not be read or written, 2 bad usage.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {
class TraceRecord;
}

namespace lumora::tool {

constexpr int kExitOk = 0;
constexpr int kExitFile = 1;
constexpr int kExitUsage = 2;

struct Streams {
  std::ostream& out;
  std::ostream& err;
};

// The file's bytes; nothing (with a message) when it cannot be read.
std::optional<std::string> readInput(const std::string& path, Streams io);
// The file's bytes processed as a packet; nothing (with a message) when it cannot be read.
std::optional<TraceRecord> loadPacket(const std::string& path, Streams io);
// Replaces the file `path` with `bytes`, or keeps it whole with a message; the exit code.
int writeOutput(const std::string& path, std::string_view bytes, Streams io);

// Dispatches `args` (without the program name) to a sub-command.
int runTool(const std::vector<std::string>& args, Streams io);

}  // namespace lumora::tool

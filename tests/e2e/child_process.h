// A program run as a child process for end-to-end tests: its standard output and error go to
// temporary files that are read back on demand (so a chatty child never blocks on a full
// pipe), it can be sent signals, and it is killed if a test leaves it running.
#pragma once

#include <sys/types.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::testing {

class ChildProcess {
 public:
  // Runs `argv` (argv[0] a path) with the test's environment plus `env` ("NAME=value").
  // Descriptors other than 0-2 and `keepFds` are closed in the child.
  ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env = {},
               const std::vector<int>& keepFds = {});
  ~ChildProcess();
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;

  // Waits until stdout holds `text`; false when `timeoutMs` passes first or the program ends
  // without it.
  bool waitForOutput(std::string_view text, int timeoutMs);
  // The exit code (128 + signal when killed); nothing when it is still running after
  // `timeoutMs`.
  std::optional<int> waitForExit(int timeoutMs);
  void sendSignal(int signal);
  // What it has written so far.
  const std::string& output() const;
  const std::string& errors() const;

 private:
  bool reap();  // true once it has ended

  pid_t pid_ = -1;
  std::string outPath_;
  std::string errPath_;
  mutable std::string out_;
  mutable std::string err_;
  std::optional<int> exitCode_;
};

}  // namespace lumora::testing

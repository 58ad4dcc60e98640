// A program run as a child process for end-to-end tests: its standard output and error are
// collected, it can be sent signals, and it is killed if a test leaves it running.
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

  // Reads output until stdout holds `text`; false when `timeoutMs` passes first or the
  // program ends without it.
  bool waitForOutput(std::string_view text, int timeoutMs);
  // The output read so far.
  const std::string& output() const { return out_; }
  const std::string& errors() const { return err_; }

  void sendSignal(int signal);
  // The exit code (128 + signal when killed); nothing when it is still running after
  // `timeoutMs`.
  std::optional<int> waitForExit(int timeoutMs);

 private:
  // Reads whatever the pipes hold, waiting up to `timeoutMs` for something.
  void pump(int timeoutMs);
  bool reap(bool block);

  pid_t pid_ = -1;
  int outFd_ = -1;
  int errFd_ = -1;
  std::string out_;
  std::string err_;
  std::optional<int> exitCode_;
};

}  // namespace lumora::testing

#include "child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "e2e_paths.h"

namespace lumora::testing {
namespace {

// A new empty file in the temporary folder, open for writing; its name goes to `path`.
int newOutputFile(std::string& path) {
  path = (std::filesystem::temp_directory_path() / "lumora-child-XXXXXX").string();
  const int fd = mkstemp(path.data());
  if (fd < 0) throw std::runtime_error("mkstemp failed");
  return fd;
}

// Checks `done` every 20 ms until it holds or `timeoutMs` has passed; returns its last answer.
template <typename Condition>
bool pollUntil(Condition done, int timeoutMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!done()) {
    if (std::chrono::steady_clock::now() >= until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                           const std::vector<int>& keepFds) {
  const int out = newOutputFile(outPath_), err = newOutputFile(errPath_);
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) {
    dup2(out, 1);
    dup2(err, 2);
    dup2(open("/dev/null", O_RDONLY), 0);
    for (int fd = 3; fd < 1024; ++fd)
      if (std::find(keepFds.begin(), keepFds.end(), fd) == keepFds.end()) close(fd);
    for (const std::string& entry : env) putenv(const_cast<char*>(entry.c_str()));  // lives until exec
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  close(out);
  close(err);
}

ChildProcess::~ChildProcess() {
  if (!reap()) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }
  std::remove(outPath_.c_str());
  std::remove(errPath_.c_str());
}

bool ChildProcess::reap() {
  int status = 0;
  if (!exitCode_ && waitpid(pid_, &status, WNOHANG) == pid_)
    exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return exitCode_.has_value();
}

bool ChildProcess::waitForOutput(std::string_view text, int timeoutMs) {
  const auto found = [&] { return output().find(text) != std::string::npos; };
  pollUntil([&] { return found() || reap(); }, timeoutMs);
  return found();  // also what it wrote before it ended
}

std::optional<int> ChildProcess::waitForExit(int timeoutMs) {
  pollUntil([&] { return reap(); }, timeoutMs);
  return exitCode_;
}

void ChildProcess::sendSignal(int signal) {
  if (!reap()) kill(pid_, signal);
}

const std::string& ChildProcess::output() const { return out_ = ReadBytes(outPath_); }
const std::string& ChildProcess::errors() const { return err_ = ReadBytes(errPath_); }

}  // namespace lumora::testing

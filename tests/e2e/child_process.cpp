#include "child_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <stdexcept>

namespace lumora::testing {
namespace {

using Clock = std::chrono::steady_clock;

int millisLeft(Clock::time_point until) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
  return static_cast<int>(std::max<long long>(0, left.count()));
}

[[noreturn]] void execChild(const std::vector<std::string>& argv,
                            const std::vector<std::string>& env, const std::vector<int>& keepFds,
                            int out, int err) {
  dup2(out, 1);
  dup2(err, 2);
  const int devNull = open("/dev/null", O_RDONLY);
  dup2(devNull, 0);
  for (int fd = 3; fd < 1024; ++fd)
    if (std::find(keepFds.begin(), keepFds.end(), fd) == keepFds.end()) close(fd);
  for (const std::string& entry : env) {
    const std::size_t eq = entry.find('=');
    setenv(entry.substr(0, eq).c_str(), entry.substr(eq + 1).c_str(), 1);
  }
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  execv(args[0], args.data());
  _exit(127);
}

}  // namespace

ChildProcess::ChildProcess(const std::vector<std::string>& argv,
                           const std::vector<std::string>& env, const std::vector<int>& keepFds) {
  int out[2];
  int err[2];
  if (pipe(out) != 0 || pipe(err) != 0) throw std::runtime_error("pipe failed");
  pid_ = fork();
  if (pid_ < 0) throw std::runtime_error("fork failed");
  if (pid_ == 0) execChild(argv, env, keepFds, out[1], err[1]);
  close(out[1]);
  close(err[1]);
  outFd_ = out[0];
  errFd_ = err[0];
}

ChildProcess::~ChildProcess() {
  if (!exitCode_ && pid_ > 0) {
    kill(pid_, SIGKILL);
    reap(true);
  }
  close(outFd_);
  close(errFd_);
}

void ChildProcess::pump(int timeoutMs) {
  pollfd fds[2] = {{outFd_, POLLIN, 0}, {errFd_, POLLIN, 0}};
  if (poll(fds, 2, timeoutMs) <= 0) return;
  char buffer[4096];
  for (int i = 0; i < 2; ++i) {
    if ((fds[i].revents & (POLLIN | POLLHUP)) == 0) continue;
    const ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
    if (n > 0) (i == 0 ? out_ : err_).append(buffer, static_cast<std::size_t>(n));
  }
}

bool ChildProcess::reap(bool block) {
  if (exitCode_) return true;
  int status = 0;
  if (waitpid(pid_, &status, block ? 0 : WNOHANG) != pid_) return false;
  exitCode_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return true;
}

bool ChildProcess::waitForOutput(std::string_view text, int timeoutMs) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (out_.find(text) == std::string::npos) {
    if (Clock::now() >= until) return false;
    if (reap(false)) {
      pump(0);  // what it wrote before it ended
      return out_.find(text) != std::string::npos;
    }
    pump(std::min(millisLeft(until), 100));
  }
  return true;
}

void ChildProcess::sendSignal(int signal) {
  if (!exitCode_) kill(pid_, signal);
}

std::optional<int> ChildProcess::waitForExit(int timeoutMs) {
  const auto until = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!reap(false)) {
    if (Clock::now() >= until) return std::nullopt;
    pump(std::min(millisLeft(until), 50));
  }
  for (int i = 0; i < 20; ++i) pump(0);  // the rest of its output
  return exitCode_;
}

}  // namespace lumora::testing

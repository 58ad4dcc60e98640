#include "app/server/activity_output.h"

#include <csignal>
#include <cstdio>
#include <string>

#ifndef _WIN32
#include <poll.h>
#include <unistd.h>
#endif

namespace lumora {
namespace {

constexpr std::size_t kLongestWrite = 4096;  // a pipe with room for this takes it whole

std::string droppedNote(std::size_t dropped) {
  return "(" + std::to_string(dropped) + " activity lines dropped: the output was not being read)\n";
}

// True when all of `text` was written without waiting.
bool writeWithoutWaiting(int fd, const std::string& text) {
#ifdef _WIN32
  // Consoles and files on Windows: as the standard library writes them.
  (void)fd;
  return std::fwrite(text.data(), 1, text.size(), stdout) == text.size() && std::fflush(stdout) == 0;
#else
  pollfd ready{fd, POLLOUT, 0};
  if (poll(&ready, 1, 0) != 1 || !(ready.revents & POLLOUT)) return false;
  return write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
#endif
}

}  // namespace

ActivityOutput::ActivityOutput(int fd) : fd_(fd) {
#ifndef _WIN32
  std::signal(SIGPIPE, SIG_IGN);
#endif
}

void ActivityOutput::print(std::string_view line) {
  std::string text = dropped_ ? droppedNote(dropped_) : std::string();
  text.append(line.substr(0, kLongestWrite - 1 - text.size())).push_back('\n');
  if (writeWithoutWaiting(fd_, text)) dropped_ = 0;
  else ++dropped_;
}

}  // namespace lumora

#include "open_watch.h"

#include <sys/inotify.h>
#include <unistd.h>

#include <stdexcept>

namespace lumora::testing {

OpenWatch::OpenWatch(const std::string& path) : fd_(inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
  if (fd_ < 0 || inotify_add_watch(fd_, path.c_str(), IN_OPEN) < 0) {
    throw std::runtime_error("inotify watch failed for " + path);
  }
}

OpenWatch::~OpenWatch() { ::close(fd_); }

int OpenWatch::opens() {
  alignas(inotify_event) char buffer[4096];
  for (;;) {
    const ssize_t got = ::read(fd_, buffer, sizeof buffer);
    if (got <= 0) return opens_;
    for (ssize_t at = 0; at < got;) {
      const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
      if ((event->mask & IN_OPEN) != 0) ++opens_;
      at += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
    }
  }
}

}  // namespace lumora::testing

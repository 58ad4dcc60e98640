// Reading what a program under test writes to a descriptor (the master side of a
// pseudo-terminal, a pipe). POSIX only.
#pragma once

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <functional>
#include <string>
#include <string_view>

namespace lumora::testing {

// Reads from `fd` until what came holds `text` or `limitMs` has passed, and returns all that
// came. `meanwhile` runs between reads: an event loop that must turn for the bytes to be sent.
inline std::string ReadUntil(int fd, std::string_view text, int limitMs, const std::function<void()>& meanwhile = {}) {
  std::string got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
  while (got.find(text) == std::string::npos && std::chrono::steady_clock::now() < until) {
    if (meanwhile) meanwhile();
    pollfd ready{fd, POLLIN, 0};
    char chunk[65536];
    if (poll(&ready, 1, 10) <= 0) continue;
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n > 0) {
      got.append(chunk, static_cast<std::size_t>(n));
    } else if (n == 0 || errno != EAGAIN) {
      break;  // the far end is gone: nothing more will come
    }
  }
  return got;
}

}  // namespace lumora::testing

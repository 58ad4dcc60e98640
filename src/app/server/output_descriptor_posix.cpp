#include "app/server/output_descriptor.h"

#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace lumora {

bool writeAllTo(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void ignoreClosedPipes() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace lumora

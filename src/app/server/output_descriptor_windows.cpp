#include "app/server/output_descriptor.h"

#include <io.h>

namespace lumora {

bool writeAllTo(int fd, std::string_view text) {
  while (!text.empty()) {
    const int n = _write(fd, text.data(), static_cast<unsigned>(text.size()));
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

void ignoreClosedPipes() {}

}  // namespace lumora

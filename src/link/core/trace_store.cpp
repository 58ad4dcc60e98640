#include "link/core/trace_store.h"

namespace lumora {

std::string TraceFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

}  // namespace lumora

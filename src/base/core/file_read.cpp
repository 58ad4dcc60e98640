#include "base/core/file_read.h"

#include <system_error>

#include "base/core/file_system.h"

namespace lumora {

// Traces are tens of kilobytes and the link refuses a body above 1 MiB: a larger file is no
// trace, and reading it whole could take the memory of the program that runs the link.
constexpr std::size_t kLargestTraceFile = std::size_t{16} << 20;

std::filesystem::path pathFromText(const std::string& text) { return platform::pathFromText(text); }

std::string textFromPath(const std::filesystem::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

bool isHiddenFile(const std::filesystem::path& path) { return platform::isHiddenFile(path); }

bool fileExists(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return false;
  const std::filesystem::path file = pathFromText(path);
  return std::filesystem::is_regular_file(file, ec) && !isHiddenFile(file);
}

std::string readFileText(const std::string& path) {
  if (!fileExists(path)) return {};
  return platform::readRegularFile(pathFromText(path), kLargestTraceFile).value_or(std::string());
}

std::string joinPath(const std::string& folder, const std::string& name) {
  return textFromPath(pathFromText(folder) / pathFromText(name));
}

}  // namespace lumora

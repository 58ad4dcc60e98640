#include "base/core/file_read.h"

#include <system_error>

#include "base/core/file_system.h"

namespace lumora {

// Traces are tens of kilobytes and the link refuses a body above 1 MiB: a larger file is no
// trace, and reading it whole could take the memory of the program that runs the link.
constexpr std::size_t kLargestTraceFile = std::size_t{16} << 20;

std::filesystem::path PathFromText(const std::string& text) { return platform::PathFromText(text); }

std::string TextFromPath(const std::filesystem::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

bool IsHiddenFile(const std::filesystem::path& path) { return platform::IsHiddenFile(path); }

bool FileExists(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return false;
  const std::filesystem::path file = PathFromText(path);
  return std::filesystem::is_regular_file(file, ec) && !IsHiddenFile(file);
}

std::string ReadFileText(const std::string& path) {
  if (!FileExists(path)) return {};
  return platform::ReadRegularFile(PathFromText(path), kLargestTraceFile).value_or(std::string());
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return TextFromPath(PathFromText(folder) / PathFromText(name));
}

}  // namespace lumora

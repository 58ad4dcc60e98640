#include "view/core/trace_folder.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "base/core/file_read.h"
#include "base/core/file_replace.h"
#include "base/core/ascii_text.h"

namespace lumora {
namespace fs = std::filesystem;
namespace {

unsigned char foldedAscii(char c) { return static_cast<unsigned char>(asciiUpper(c)); }

// Ignoring the case of ASCII letters, then by bytes; one pass over the common length.
bool listedBefore(const std::string& a, const std::string& b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const unsigned char x = foldedAscii(a[i]), y = foldedAscii(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

// A name as the list holds it: one path element, not "." or "..".
bool plainFileName(const std::string& name) {
  const fs::path path = pathFromText(name);
  return !name.empty() && path == path.filename() && name != "." && name != "..";
}

}  // namespace

std::vector<std::string> listTraceFiles(const std::string& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  fs::directory_iterator it(pathFromText(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    std::error_code typeError;
    if (!it->is_regular_file(typeError)) continue;
    std::string name = textFromPath(it->path().filename());
    if (!isHiddenFile(it->path()) && !isTemporaryFileName(name)) names.push_back(std::move(name));
  }
  std::sort(names.begin(), names.end(), listedBefore);
  return names;
}

std::size_t deleteSelectedFiles(const std::string& folder, const std::vector<std::string>& names,
                                const std::vector<bool>& selected) {
  std::size_t deleted = 0;
  for (std::size_t i = 0; i < names.size() && i < selected.size(); ++i) {
    if (!selected[i] || !plainFileName(names[i])) continue;
    const fs::path path = pathFromText(joinPath(folder, names[i]));
    std::error_code ec;
    if (fs::is_directory(fs::symlink_status(path, ec))) continue;
    if (fs::remove(path, ec) && !ec) ++deleted;
  }
  return deleted;
}

}  // namespace lumora

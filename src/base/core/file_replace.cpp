#include "base/core/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <system_error>

#include "base/core/file_read.h"
#include "base/core/file_system.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kTemporaryPrefix = ".Temp-";
constexpr std::string_view kTemporarySuffix = ".tmp";

// A new temporary file of our own in `folder`, under a random name, created exclusively (a
// link or a left-over under the name is never opened). Null on failure, errno telling why.
std::FILE* createTemporary(const fs::path& folder, fs::path& temp) {
  std::random_device random;
  for (int attempt = 0; attempt < 16; ++attempt) {
    char digits[17];
    std::snprintf(digits, sizeof digits, "%08x%08x", random(), random());
    temp = folder / (std::string(kTemporaryPrefix) + digits + std::string(kTemporarySuffix));
    errno = 0;
    if (std::FILE* file = platform::openExclusive(temp)) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// The file a chain of links ends at (a relative link is read from its own folder).
fs::path followLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

std::string folderText(const fs::path& folder) { return folder.empty() ? std::string(".") : textFromPath(folder); }

}  // namespace

std::optional<Problem> replaceFileBytes(const std::string& path, std::string_view bytes, LinkAtTarget link) {
  const fs::path named = pathFromText(path);
  const fs::path target = link == LinkAtTarget::Follow ? followLinks(named) : named;
  std::error_code ec;
  const fs::file_status old = fs::symlink_status(target, ec);
  // A pipe or a device under the name would make the write wait for ever, or replace a node
  // of the system: only files (and, when replaced, links) are replaced.
  if (fs::exists(old) && !fs::is_regular_file(old) && !fs::is_symlink(old))
    return Problem{"cannot replace " + path + ": it is not a file"};
  fs::path temp;
  std::FILE* file = createTemporary(target.parent_path(), temp);
  if (!file)
    return Problem{"cannot create a temporary file in " + folderText(target.parent_path()) + ": " + std::strerror(errno)};
  std::string why;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && platform::flushToDisk(file);
  if (!written) why = "cannot write " + textFromPath(temp) + ": " + std::strerror(errno);
  if (std::fclose(file) != 0 && why.empty()) why = "cannot write " + textFromPath(temp) + ": " + std::strerror(errno);
  if (why.empty()) {
    // Who may read it stays as it was.
    platform::keepPermissions(temp, old);
    ec = platform::renameOver(temp, target);
    if (!ec) return std::nullopt;
    why = "cannot replace " + path + ": " + ec.message();
  }
  fs::remove(temp, ec);
  return Problem{why};
}

std::optional<Problem> folderWriteProblem(const std::string& folder) {
  if (folder.empty()) return Problem{"no folder is named"};
  fs::path temp;
  std::FILE* file = createTemporary(pathFromText(folder), temp);
  if (!file) return Problem{std::strerror(errno)};
  std::fclose(file);
  std::error_code ec;
  fs::remove(temp, ec);
  return std::nullopt;
}

bool isTemporaryFileName(std::string_view name) {
  const std::size_t digits = kTemporaryPrefix.size();
  if (name.size() != digits + 16 + kTemporarySuffix.size() || !name.starts_with(kTemporaryPrefix) ||
      !name.ends_with(kTemporarySuffix))
    return false;
  return name.substr(digits, 16).find_first_not_of("0123456789abcdef") == std::string_view::npos;
}

int removeLeftoverTemporaryFiles(const std::string& folder) {
  int removed = 0;
  std::error_code ec;
  fs::directory_iterator it(pathFromText(folder), ec);
  for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
    if (isTemporaryFileName(textFromPath(it->path().filename())) && platform::removeUnlessInUse(it->path())) ++removed;
  }
  return removed;
}

}  // namespace lumora

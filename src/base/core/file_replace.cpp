#include "base/core/file_replace.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "base/core/file_read.h"
#include "base/core/file_system.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

// errno's text; every temporary name taken says so, not "File exists".
std::string lastError() {
  return errno == EEXIST ? "the temporary names Temp.tmp to Temp99.tmp are all taken" : std::strerror(errno);
}

// A temporary file of our own in `folder`: "Temp.tmp", or "Temp1.tmp", "Temp2.tmp" ... when
// that name is taken (a left-over, or a file of that name), never `avoid`. Null on failure,
// with errno telling why.
std::FILE* createTemporary(const fs::path& folder, const fs::path& avoid, fs::path& temp) {
  for (int n = 0; n < 100; ++n) {
    const std::string candidate = "Temp" + (n == 0 ? std::string() : std::to_string(n)) + ".tmp";
    if (fs::path(candidate) == avoid) continue;  // never write a file through itself: a failed rename would remove it
    temp = folder / candidate;
    errno = 0;
    if (std::FILE* file = platform::openExclusive(temp)) return file;
    if (errno != EEXIST) return nullptr;
  }
  return nullptr;
}

// The file a chain of links ends at, so that the link stays and the file it names is
// replaced (a relative link is read from its own folder).
fs::path followLinks(fs::path path) {
  std::error_code ec;
  for (int hops = 0; hops < 40 && fs::is_symlink(fs::symlink_status(path, ec)); ++hops) {
    const fs::path next = fs::read_symlink(path, ec);
    if (ec) break;
    path = next.is_absolute() ? next : path.parent_path() / next;
  }
  return path;
}

}  // namespace

std::optional<Problem> replaceFileBytes(const std::string& path, std::string_view bytes) {
  const fs::path target = followLinks(pathFromText(path));
  std::error_code ec;
  const fs::file_status old = fs::status(target, ec);
  // A pipe or a device under the name would make the write wait for ever, or replace a node
  // of the system: only files are replaced.
  if (fs::exists(old) && !fs::is_regular_file(old)) return Problem{"cannot replace " + path + ": it is not a file"};
  fs::path temp;
  std::FILE* file = createTemporary(target.parent_path(), target.filename(), temp);
  if (!file) {
    const fs::path folder = target.parent_path();
    return Problem{"cannot create a temporary file in " + (folder.empty() ? std::string(".") : textFromPath(folder)) + ": " +
                   lastError()};
  }
  std::string why;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && platform::flushToDisk(file);
  if (!written) why = "cannot write " + textFromPath(temp) + ": " + lastError();
  if (std::fclose(file) != 0 && why.empty()) why = "cannot write " + textFromPath(temp) + ": " + lastError();
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
  std::FILE* file = createTemporary(pathFromText(folder), {}, temp);
  if (!file) return Problem{lastError()};
  std::fclose(file);
  std::error_code ec;
  fs::remove(temp, ec);
  return std::nullopt;
}

}  // namespace lumora

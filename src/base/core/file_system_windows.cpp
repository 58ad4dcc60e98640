#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <chrono>
#include <fstream>
#include <thread>

#include "base/core/file_system.h"
#include "base/core/windows_api.h"

namespace lumora::platform {
namespace {

// The text in `codePage` as UTF-16; false when it is not valid there.
bool wideFrom(const std::string& text, UINT codePage, DWORD flags, std::wstring& wide) {
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (length <= 0) return false;
  wide.assign(static_cast<std::size_t>(length), L'\0');
  return MultiByteToWideChar(codePage, flags, text.data(), size, wide.data(), length) == length;
}

}  // namespace

std::filesystem::path pathFromText(const std::string& text) {
  // A text that is not UTF-8 is a job number in the tracer's code page, which is the
  // system's; the library's own conversion would throw on it.
  std::wstring wide;
  if (text.empty() || wideFrom(text, CP_UTF8, MB_ERR_INVALID_CHARS, wide) || wideFrom(text, CP_ACP, 0, wide))
    return std::filesystem::path(wide);
  return {};
}

bool isHiddenFile(const std::filesystem::path& path) {
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t limit) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  std::string bytes;
  char chunk[65536];
  while (in) {
    const auto n = static_cast<std::size_t>(in.read(chunk, sizeof chunk).gcount());
    if (in.bad() || bytes.size() + n > limit) return std::nullopt;
    bytes.append(chunk, n);
  }
  if (!in.eof()) return std::nullopt;
  return bytes;
}

std::FILE* openExclusive(const std::filesystem::path& path) {
  // The system C runtime ignores fopen's "x" and would empty an existing file.
  const int fd = _wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
  if (fd < 0) return nullptr;
  std::FILE* file = _fdopen(fd, "wb");
  if (!file) _close(fd);
  return file;
}

// A file being written cannot be deleted here: the runtime opens it without sharing deletion.
bool removeUnlessInUse(const std::filesystem::path& path) {
  std::error_code ec;
  return std::filesystem::remove(path, ec) && !ec;
}

bool flushToDisk(std::FILE* file) { return std::fflush(file) == 0 && _commit(_fileno(file)) == 0; }

// The bits are only the read-only attribute here, which would keep the temporary file from
// being renamed or removed: nothing is copied.
void keepPermissions(const std::filesystem::path&, const std::filesystem::file_status&) {}

// No file-size limit ends a process here.
void letOversizedWritesFail() {}

std::error_code renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  // A reader (the ordering system, a virus scanner looking at the new file) may hold the old
  // file open for a moment, and Windows refuses the rename until it lets go.
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  for (int attempt = 0; attempt < 10 && ec; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::filesystem::rename(from, to, ec);
  }
  return ec;
}

}  // namespace lumora::platform

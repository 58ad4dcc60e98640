#include "trace/core/file_io.h"

#include <fstream>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#ifdef _WIN32
#include "trace/core/windows_api.h"
#endif

namespace lumora {

#ifdef _WIN32
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
#endif

std::filesystem::path PathFromText(const std::string& text) {
#ifdef _WIN32
  // A text that is not UTF-8 is a job number in the tracer's code page, which is the
  // system's; the library's own conversion would throw on it.
  std::wstring wide;
  if (text.empty() || wideFrom(text, CP_UTF8, MB_ERR_INVALID_CHARS, wide) || wideFrom(text, CP_ACP, 0, wide))
    return std::filesystem::path(wide);
  return {};
#else
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
#endif
}

std::string TextFromPath(const std::filesystem::path& path) {
  const std::u8string u = path.u8string();
  return std::string(u.begin(), u.end());
}

bool IsHiddenFile(const std::filesystem::path& path) {
#ifdef _WIN32
  const DWORD attributes = GetFileAttributesW(path.c_str());
  return attributes == INVALID_FILE_ATTRIBUTES || (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
#else
  return path.filename().string().starts_with('.');
#endif
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  if (path.empty()) return false;
  const std::filesystem::path file = PathFromText(path);
  return std::filesystem::is_regular_file(file, ec) && !IsHiddenFile(file);
}

namespace {

// Traces are tens of kilobytes and the link refuses a body above 1 MiB: a larger file is no
// trace, and reading it whole could take the memory of the program that runs the link.
constexpr std::size_t kLargestTraceFile = std::size_t{16} << 20;

// The bytes of an open file, up to the limit; false when it holds more or a read fails
// (`readSome` returns the count read, 0 at the end, below 0 on an error).
template <typename ReadSome>
bool readUpToLimit(std::string& bytes, ReadSome readSome) {
  char chunk[65536];
  for (;;) {
    const std::ptrdiff_t n = readSome(chunk, sizeof chunk);
    if (n <= 0) return n == 0;
    if (bytes.size() + static_cast<std::size_t>(n) > kLargestTraceFile) return false;
    bytes.append(chunk, static_cast<std::size_t>(n));
  }
}

}  // namespace

std::string ReadFileText(const std::string& path) {
  if (!FileExists(path)) return {};
  std::string bytes;
#ifdef _WIN32
  std::ifstream in(PathFromText(path), std::ios::binary);
  const bool whole = in && readUpToLimit(bytes, [&](char* to, std::size_t size) -> std::ptrdiff_t {
    const auto n = in.read(to, static_cast<std::streamsize>(size)).gcount();
    return in.bad() ? -1 : static_cast<std::ptrdiff_t>(n);
  });
#else
  // Opened without waiting and checked on the open file: the name may have become a pipe,
  // whose opening would wait for a writer for ever.
  const int fd = open(PathFromText(path).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  struct stat status {};
  const bool whole = fd >= 0 && fstat(fd, &status) == 0 && S_ISREG(status.st_mode) &&
                     readUpToLimit(bytes, [&](char* to, std::size_t size) -> std::ptrdiff_t {
                       ssize_t n;
                       while ((n = read(fd, to, size)) < 0 && errno == EINTR) {
                       }
                       return n;
                     });
  if (fd >= 0) close(fd);
#endif
  return whole ? bytes : std::string();
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  return TextFromPath(PathFromText(folder) / PathFromText(name));
}

}  // namespace lumora

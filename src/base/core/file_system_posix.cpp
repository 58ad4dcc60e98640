#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "base/core/file_system.h"

namespace lumora::platform {

std::filesystem::path pathFromText(const std::string& text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

bool isHiddenFile(const std::filesystem::path& path) { return path.filename().string().starts_with('.'); }

std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t limit) {
  // Opened without waiting and checked on the open file: a pipe would wait for a writer for ever.
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string bytes;
  struct stat status {};
  bool whole = fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  char chunk[65536];
  while (whole) {
    ssize_t n;
    while ((n = read(fd, chunk, sizeof chunk)) < 0 && errno == EINTR) {
    }
    if (n <= 0) {
      whole = n == 0;
      break;
    }
    whole = bytes.size() + static_cast<std::size_t>(n) <= limit;
    if (whole) bytes.append(chunk, static_cast<std::size_t>(n));
  }
  close(fd);
  if (!whole) return std::nullopt;
  return bytes;
}

std::FILE* openExclusive(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return nullptr;
  // The lock tells a start-up clean-up that the file is being written, not left over.
  flock(fd, LOCK_EX | LOCK_NB);
  std::FILE* file = fdopen(fd, "wb");
  if (!file) close(fd);
  return file;
}

bool removeUnlessInUse(const std::filesystem::path& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  const bool removed = flock(fd, LOCK_EX | LOCK_NB) == 0 && unlink(path.c_str()) == 0;
  close(fd);
  return removed;
}

bool flushToDisk(std::FILE* file) { return std::fflush(file) == 0 && fsync(fileno(file)) == 0; }

void keepPermissions(const std::filesystem::path& temp, const std::filesystem::file_status& old) {
  std::error_code ec;
  if (std::filesystem::is_regular_file(old)) std::filesystem::permissions(temp, old.permissions(), ec);
}

void letOversizedWritesFail() { std::signal(SIGXFSZ, SIG_IGN); }

std::error_code renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::error_code ec;
  std::filesystem::rename(from, to, ec);
  return ec;
}

}  // namespace lumora::platform

#include "link/core/trace_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "trace/core/shared_values.h"

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace lumora {

namespace {

namespace fs = std::filesystem;

std::FILE* openExclusive(const fs::path& path) {
#ifdef _WIN32
  return _wfopen(path.c_str(), L"wbx");
#else
  return std::fopen(path.c_str(), "wbx");
#endif
}

bool flushToDisk(std::FILE* file) {
  if (std::fflush(file) != 0) return false;
#ifdef _WIN32
  return _commit(_fileno(file)) == 0;
#else
  return fsync(fileno(file)) == 0;
#endif
}

std::string lastError() { return std::strerror(errno); }

// A temporary file of our own in `folder`: "Temp.tmp", or "Temp1.tmp", "Temp2.tmp" ... when
// that name is taken (a left-over, or a trace of that name). Null with `why` set on failure.
std::FILE* createTemporary(const fs::path& folder, const std::string& name, fs::path& temp,
                           std::string& why) {
  for (int n = 0; n < 100; ++n) {
    const std::string candidate = "Temp" + (n == 0 ? std::string() : std::to_string(n)) + ".tmp";
    if (candidate == name) continue;  // never write a trace through itself: a failed rename would remove it
    temp = folder / candidate;
    errno = 0;
    if (std::FILE* file = openExclusive(temp)) return file;
    if (errno != EEXIST) break;
  }
  why = "cannot create a temporary file in " + TextFromPath(folder) + ": " + lastError();
  return nullptr;
}

}  // namespace

std::string TraceFileWriter::TracePath(const std::string& folder, const std::string& name) const {
  return JoinPath(folder, name);
}

std::string TraceFileWriter::StoreTrace(const std::string& folder, const std::string& name,
                                        const std::vector<std::string>& lines) {
  const fs::path dir = PathFromText(folder);
  fs::path temp;
  std::string why;
  std::FILE* file = createTemporary(dir, name, temp, why);
  if (!file) return why;
  const std::string bytes = TraceFileBytes(lines);
  const bool written =
      std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size() && flushToDisk(file);
  if (!written) why = "cannot write " + TextFromPath(temp) + ": " + lastError();
  if (std::fclose(file) != 0 && why.empty())
    why = "cannot write " + TextFromPath(temp) + ": " + lastError();
  std::error_code ec;
  if (why.empty()) {
    fs::rename(temp, dir / PathFromText(name), ec);
    if (!ec) return {};
    why = "cannot replace " + TracePath(folder, name) + ": " + ec.message();
  }
  fs::remove(temp, ec);
  return why;
}

}  // namespace lumora

// The platform's side of file handling, one implementation per platform
// (file_system_posix.cpp, file_system_windows.cpp); the portable rules live in file_read.cpp
// and file_replace.cpp.
#pragma once

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

namespace lumora::platform {

// A UTF-8 path text as a path. On Windows a text that is not UTF-8 (a job number as the
// tracer sent it) is read in the system's code page instead, so that it never throws.
std::filesystem::path pathFromText(const std::string& text);

// A file the platform keeps out of listings: on Windows a hidden or system file, elsewhere a
// dot file.
bool isHiddenFile(const std::filesystem::path& path);

// The bytes of the regular file at `path`, read without waiting (the name may have become a
// pipe); nothing when it is no regular file, holds more than `limit` bytes or a read fails.
std::optional<std::string> readRegularFile(const std::filesystem::path& path, std::size_t limit);

// Creates the file for writing, failing with EEXIST when anything is there already (a link
// too, never followed). The file is marked in use while it stays open.
std::FILE* openExclusive(const std::filesystem::path& path);
// Removes the file unless a running program holds it open through openExclusive; true when
// it was removed.
bool removeUnlessInUse(const std::filesystem::path& path);
// Flushes the file's buffers down to the disk.
bool flushToDisk(std::FILE* file);
// Gives `temp` the permissions of the file it will replace, where they are permission bits.
void keepPermissions(const std::filesystem::path& temp, const std::filesystem::file_status& old);
// Makes a write past the file-size limit (ulimit -f) fail with an error the writer reports,
// instead of ending the process with SIGXFSZ. For the program's main(): it is process-wide.
void letOversizedWritesFail();
// Renames `from` over `to` in one step; on Windows a reader holding `to` is waited for briefly.
std::error_code renameOver(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace lumora::platform

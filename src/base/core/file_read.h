// Reading trace files and turning path texts into paths, the same way on every platform.
#pragma once

#include <filesystem>
#include <string>

namespace lumora {

// True when a directory lookup finds a normal file at `path` that is neither hidden nor a
// system file.
bool fileExists(const std::string& path);
// A file the platform keeps out of listings: on Windows a hidden or system file, elsewhere
// a dot file.
bool isHiddenFile(const std::filesystem::path& path);
// The whole file as bytes; empty when fileExists is false, the file cannot be read, or it
// holds more than 16 MiB (no trace is that large).
std::string readFileText(const std::string& path);
// Texts are UTF-8 paths; these convert without the platform's narrow code page. On Windows a
// text that is not UTF-8 (a job number as the tracer sent it) is read in the system's code
// page instead, so that it never throws.
std::filesystem::path pathFromText(const std::string& text);
std::string textFromPath(const std::filesystem::path& path);
// `folder` joined with `name` by the platform's separator.
std::string joinPath(const std::string& folder, const std::string& name);

}  // namespace lumora

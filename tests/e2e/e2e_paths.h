// Folders and programs for the end-to-end tests.
#pragma once

#include <filesystem>
#include <string>

namespace lumora::testing {

// A fresh folder under the system's temporary folder, removed with everything in it.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

// A program of this build (lumora-trace-server, lumora-tracer-sim).
std::string Program(const std::string& name);

std::string ReadBytes(const std::filesystem::path& path);

}  // namespace lumora::testing

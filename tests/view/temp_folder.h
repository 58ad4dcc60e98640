// A fresh folder under the system's temporary folder, removed with everything in it.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace lumora::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "lumora-view-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::filesystem::path file(const std::string& name) const { return std::filesystem::path(path_) / name; }
  void write(const std::string& name, const std::string& text = "x") const {
    std::ofstream(file(name), std::ios::binary) << text;
  }
  bool has(const std::string& name) const { return std::filesystem::exists(file(name)); }

 private:
  std::string path_;
};

}  // namespace lumora::testing

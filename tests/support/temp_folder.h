// Fresh folders of a test's own under the system's temporary folder, on Linux and Windows alike.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace lumora::testing {

// A new, empty folder named `prefix` and a random number, removed with everything in it;
// path() is empty when none could be made. The folder is new because creating it fails when
// the name is taken.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "lumora-test") {
    std::error_code ec;
    std::random_device random;
    const std::filesystem::path parent = std::filesystem::temp_directory_path(ec);
    for (int attempt = 0; attempt < 100 && !ec && path_.empty(); ++attempt) {
      const std::filesystem::path candidate = parent / (prefix + "-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate, ec)) path_ = candidate.string();
    }
  }
  ~TempFolder() {
    std::error_code ec;
    if (!path_.empty()) std::filesystem::remove_all(path_, ec);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  std::filesystem::path dir() const { return path_; }
  std::filesystem::path file(const std::string& name) const { return std::filesystem::path(path_) / name; }
  void write(const std::string& name, const std::string& text = "x") const {
    std::ofstream(file(name), std::ios::binary) << text;
  }
  bool has(const std::string& name) const { return std::filesystem::exists(file(name)); }

 private:
  std::string path_;
};

}  // namespace lumora::testing

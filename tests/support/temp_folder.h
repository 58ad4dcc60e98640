// Fresh folders of a test's own under the system's temporary folder, on Linux and Windows alike.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

namespace lumora::testing {

// Creates a new, empty folder named `prefix` and a random suffix; empty when none could be
// made. The folder is new because creating it fails when the name is taken.
inline std::filesystem::path MakeTempFolder(const std::string& prefix) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path parent = fs::temp_directory_path(ec);
  if (ec) return {};
  std::random_device seed;
  std::mt19937_64 random((std::uint64_t{seed()} << 32) ^ seed());
  constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::string name = prefix + "-";
    for (int i = 0; i < 10; ++i) name += kDigits[random() % (sizeof kDigits - 1)];
    if (fs::create_directory(parent / name, ec)) return parent / name;
    if (ec) return {};
  }
  return {};
}

// A fresh folder removed with everything in it; path() is empty when it could not be made.
class TempFolder {
 public:
  explicit TempFolder(const std::string& prefix = "lumora-test") : path_(MakeTempFolder(prefix).string()) {}
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

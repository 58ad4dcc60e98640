// Folders and programs for the end-to-end tests.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "temp_folder.h"

namespace lumora::testing {

// A program of this build (lumora-trace-server, lumora-tracer-sim).
inline std::string Program(const std::string& name) { return std::string(LUMORA_BIN_DIR) + "/" + name; }

inline std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace lumora::testing

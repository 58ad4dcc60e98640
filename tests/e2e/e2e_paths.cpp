#include "e2e_paths.h"

#include <fstream>
#include <iterator>

namespace lumora::testing {

std::string Program(const std::string& name) { return std::string(LUMORA_BIN_DIR) + "/" + name; }

std::string ReadBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace lumora::testing

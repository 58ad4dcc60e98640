// Folders and programs for the end-to-end tests.
#pragma once

#include <filesystem>
#include <string>

#include "base/core/file_read.h"
#include "temp_folder.h"

namespace lumora::testing {

// A program of this build (lumora-trace-server, lumora-tracer-sim).
inline std::string Program(const std::string& name) { return std::string(LUMORA_BIN_DIR) + "/" + name; }

// The bytes of a file of 16 MiB at most, as trace files are read; empty when it cannot be read.
inline std::string ReadBytes(const std::filesystem::path& path) { return readFileText(path.string()); }

}  // namespace lumora::testing

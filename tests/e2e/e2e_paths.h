// Folders and programs for the end-to-end tests.
#pragma once

#include <filesystem>
#include <string>

#include "temp_folder.h"

namespace lumora::testing {

// A program of this build (lumora-trace-server, lumora-tracer-sim).
std::string Program(const std::string& name);

std::string ReadBytes(const std::filesystem::path& path);

}  // namespace lumora::testing

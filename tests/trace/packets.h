// Builders for trace packets, and a real temporary folder, used across the trace tests.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "temp_folder.h"
#include "base/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora::testing {

// `label` records of ten values each, every line ended by `lineEnd`.
inline std::string ValueLines(const std::string& label, const std::vector<std::string>& values,
                              const std::string& lineEnd = "\n") {
  std::string out;
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += (i % 10 == 0 ? label : ";") + values[i];
    if (i % 10 == 9 || i + 1 == values.size()) out += lineEnd;
  }
  return out;
}

inline std::vector<std::string> Repeated(const std::string& text, std::size_t n) { return std::vector<std::string>(n, text); }

inline std::vector<std::string> Numbered(std::size_t n, int first = 1) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < n; ++i) out.push_back(std::to_string(first + static_cast<int>(i)));
  return out;
}

// One eye's records: its format line and radius lines (and Z lines when given).
inline std::string EyeRecords(char side, const std::vector<std::string>& radii,
                              const std::vector<std::string>& z = {}) {
  std::string out = "TRCFMT=1;" + std::to_string(radii.size()) + ";E;" + side + ";F\n" + ValueLines("R=", radii);
  if (!z.empty()) out += "ZFMT=1;" + std::to_string(z.size()) + ";E;" + side + ";F\n" + ValueLines("Z=", z);
  return out;
}

// A circle of `n` radii of `radius` hundredths of a millimetre for the given sides ("R", "L", "RL", "B").
inline std::string CirclePacket(std::size_t n, int radius, const std::string& sides = "RL") {
  std::string out = "REQ=TRC\nJOB=1001\n";
  for (char side : sides) out += EyeRecords(side, Repeated(std::to_string(radius), n));
  return out;
}

// A trace record holding `packet`, processed.
inline clsVCATrace Processed(const std::string& packet) {
  clsVCATrace trace;
  trace.ProcessTrace(packet);
  return trace;
}

// A fresh folder of the test's own, removed afterwards; the shared values are restored.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = MakeTempFolder("lumora-trace");
    ASSERT_FALSE(root_.empty()) << "no temporary folder";
  }
  void TearDown() override {
    Shared() = saved_;
    if (!root_.empty()) std::filesystem::remove_all(root_);
  }
  static void Write(const std::filesystem::path& path, const std::string& bytes) { std::ofstream(path, std::ios::binary) << bytes; }
  std::filesystem::path root_;
  SharedValues saved_ = Shared();
};

}  // namespace lumora::testing

// Replacing a file: a write that fails half-way must leave the old file whole.
#include "trace/core/file_replace.h"

#include <gtest/gtest.h>

#include "file_size_limit.h"
#include "packets.h"
#include "trace/core/shared_values.h"

namespace lumora::testing {
namespace {

using ReplaceFileTest = TempFolderTest;

TEST_F(ReplaceFileTest, AFailedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no per-process file size limit to make a write fail part-way";
#else
  const std::string target = (root_ / "out").string();
  Write(target, "OLD CONTENTS\r\n");
  std::string failure;
  {
    const FileSizeLimit limit(64);
    failure = ReplaceFile(target, std::string(1000, 'x'));
  }
  EXPECT_NE(failure.find("cannot write"), std::string::npos) << failure;
  EXPECT_EQ(ReadFileText(target), "OLD CONTENTS\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), {}), 1);
  EXPECT_EQ(ReplaceFile(target, "NEW"), "");
  EXPECT_EQ(ReadFileText(target), "NEW");
#endif
}

}  // namespace
}  // namespace lumora::testing

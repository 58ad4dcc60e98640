#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"
#include "view/core/trace_folder.h"

#ifdef _WIN32
#include "base/core/windows_api.h"
#endif

namespace lumora {
namespace {

using Names = std::vector<std::string>;

class TraceFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(folder.path().empty());
    for (const char* name : {"1003", "1001", "b.txt", "A.txt", "1002"}) folder.write(name);
  }
  testing::TempFolder folder;
};

TEST_F(TraceFolderTest, TheListHoldsTheVisibleFilesSortedIgnoringCaseCapitalFirst) {
  std::filesystem::create_directory(folder.file("Traces"));
  for (const char* name : {".hidden", "abc", "ABC"}) folder.write(name);
#ifdef _WIN32
  // Names that differ only in case are one file here, and a leading dot hides nothing: the
  // hidden and system attributes do.
  for (const char* name : {"hidden", "system"}) folder.write(name);
  ASSERT_TRUE(SetFileAttributesW(folder.file("hidden").c_str(), FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(SetFileAttributesW(folder.file("system").c_str(), FILE_ATTRIBUTE_SYSTEM));
  EXPECT_EQ(listTraceFiles(folder.path()), (Names{".hidden", "1001", "1002", "1003", "A.txt", "abc", "b.txt"}));
#else
  EXPECT_EQ(listTraceFiles(folder.path()), (Names{"1001", "1002", "1003", "A.txt", "ABC", "abc", "b.txt"}));
#endif
  EXPECT_TRUE(listTraceFiles(folder.path() + "/missing").empty());
}

// Fewer flags than names leave the rest; a file already gone does not stop the others; a
// name that is a folder or leads out of the folder deletes nothing.
TEST_F(TraceFolderTest, DeleteRemovesExactlyTheFlaggedFilesOfTheFolderAndNoFolders) {
  const Names names = listTraceFiles(folder.path());
  std::filesystem::remove(folder.file("1001"));
  EXPECT_EQ(deleteSelectedFiles(folder.path(), names, {true, false, true, false}), 1u);
  EXPECT_EQ(listTraceFiles(folder.path()), (Names{"1002", "A.txt", "b.txt"}));
  std::filesystem::create_directory(folder.file("sub"));
  folder.write("sub/inner");
  testing::TempFolder outside;
  outside.write("victim");
  const Names escapes{"sub", "../" + outside.dir().filename().string() + "/victim", outside.file("victim").string(), ".", ".."};
  EXPECT_EQ(deleteSelectedFiles(folder.path(), escapes, std::vector<bool>(escapes.size(), true)), 0u);
  EXPECT_TRUE(folder.has("sub/inner"));
  EXPECT_TRUE(outside.has("victim"));
}

}  // namespace
}  // namespace lumora

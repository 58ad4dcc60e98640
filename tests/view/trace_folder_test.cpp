#include <gtest/gtest.h>

#include <filesystem>

#include "temp_folder.h"
#include "view/core/trace_folder.h"

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

TEST_F(TraceFolderTest, ListHoldsTheFilesSortedIgnoringCaseCapitalFirst) {
  std::filesystem::create_directory(folder.file("Traces"));
  for (const char* name : {".hidden", "abc", "ABC"}) folder.write(name);
  EXPECT_EQ(ListTraceFiles(folder.path()), (Names{"1001", "1002", "1003", "A.txt", "ABC", "abc", "b.txt"}));
  EXPECT_TRUE(ListTraceFiles(folder.path() + "/missing").empty());
  EXPECT_TRUE(ListTraceFiles("").empty());
}

TEST_F(TraceFolderTest, DeleteRemovesExactlyTheFlaggedFilesAndGoesOnPastOneAlreadyGone) {
  const Names names = ListTraceFiles(folder.path());
  std::filesystem::remove(folder.file("1001"));
  EXPECT_EQ(DeleteSelectedFiles(folder.path(), names, {true, false, true, false}), 1u);  // fewer flags than names
  EXPECT_EQ(ListTraceFiles(folder.path()), (Names{"1002", "A.txt", "b.txt"}));
}

TEST_F(TraceFolderTest, DeleteNeverLeavesTheFolderNorRemovesFolders) {
  std::filesystem::create_directory(folder.file("sub"));
  folder.write("sub/inner");
  testing::TempFolder outside;
  outside.write("victim");
  const Names names{"sub", "../" + std::filesystem::path(outside.path()).filename().string() + "/victim",
                    outside.file("victim").string(), ".", ".."};
  EXPECT_EQ(DeleteSelectedFiles(folder.path(), names, std::vector<bool>(names.size(), true)), 0u);
  EXPECT_TRUE(folder.has("sub/inner"));
  EXPECT_TRUE(outside.has("victim"));
}

}  // namespace
}  // namespace lumora

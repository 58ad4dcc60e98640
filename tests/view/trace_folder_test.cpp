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

}  // namespace

TEST_F(TraceFolderTest, List_HoldsTheFilesSortedIgnoringCase) {
  EXPECT_EQ(ListTraceFiles(folder.path()), (Names{"1001", "1002", "1003", "A.txt", "b.txt"}));
}

TEST_F(TraceFolderTest, List_PutsNamesDifferingOnlyInCaseCapitalFirst) {
  folder.write("abc");
  folder.write("ABC");
  folder.write("1001x");
  const Names names = ListTraceFiles(folder.path());
  EXPECT_EQ(Names(names.begin() + 1, names.begin() + 2), Names{"1001x"});
  EXPECT_EQ(Names(names.begin() + 4, names.end()), (Names{"A.txt", "ABC", "abc", "b.txt"}));
}

TEST_F(TraceFolderTest, List_LeavesOutFoldersAndHiddenFiles) {
  std::filesystem::create_directory(folder.file("Traces"));
  folder.write(".hidden");
  EXPECT_EQ(ListTraceFiles(folder.path()).size(), 5u);
}

TEST_F(TraceFolderTest, List_OfAMissingFolderIsEmpty) {
  EXPECT_TRUE(ListTraceFiles(folder.path() + "/missing").empty());
  EXPECT_TRUE(ListTraceFiles("").empty());
}

TEST_F(TraceFolderTest, Delete_RemovesExactlyTheSelectedFiles) {
  const Names names = ListTraceFiles(folder.path());
  EXPECT_EQ(DeleteSelectedFiles(folder.path(), names, {true, false, true, false, true}), 3u);
  EXPECT_EQ(ListTraceFiles(folder.path()), (Names{"1002", "A.txt"}));
}

TEST_F(TraceFolderTest, Delete_SkipsAFileAlreadyGoneAndGoesOn) {
  const Names names = ListTraceFiles(folder.path());
  std::filesystem::remove(folder.file("1001"));
  EXPECT_EQ(DeleteSelectedFiles(folder.path(), names, {true, true, false, false, false}), 1u);
  EXPECT_FALSE(folder.has("1002"));
  EXPECT_TRUE(folder.has("1003"));
}

TEST_F(TraceFolderTest, Delete_NeverLeavesTheFolderNorRemovesFolders) {
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

TEST_F(TraceFolderTest, Delete_WithFewerFlagsThanNamesDeletesOnlyFlagged) {
  const Names names = ListTraceFiles(folder.path());
  EXPECT_EQ(DeleteSelectedFiles(folder.path(), names, {true}), 1u);
  EXPECT_EQ(ListTraceFiles(folder.path()).size(), 4u);
}

}  // namespace lumora

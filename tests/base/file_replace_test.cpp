// Replacing a file: a write that fails half-way must leave the old file whole; links,
// permissions and pipes are respected.
#include "base/core/file_replace.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <thread>

#include "base/core/windows_api.h"
#else
#include <sys/stat.h>
#endif

#include "base/core/file_read.h"
#include "base/core/file_system.h"
#include "file_size_limit.h"
#include "temp_folder.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;

class ReplaceFileTest : public ::testing::Test {
 protected:
  std::string path(const std::string& name) const { return folder_.file(name).string(); }
  std::ptrdiff_t filesInFolder() const { return std::distance(fs::directory_iterator(folder_.dir()), {}); }
  TempFolder folder_{"lumora-replace"};
};

TEST_F(ReplaceFileTest, AFailedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no per-process file size limit to make a write fail part-way";
#else
  folder_.write("out", "OLD CONTENTS\r\n");
  std::optional<Problem> failure;
  {
    const FileSizeLimit limit(64);
    failure = replaceFileBytes(path("out"), std::string(1000, 'x'));
  }
  ASSERT_TRUE(failure);
  EXPECT_NE(failure->text.find("cannot write"), std::string::npos) << failure->text;
  EXPECT_EQ(readFileText(path("out")), "OLD CONTENTS\r\n");
  EXPECT_EQ(filesInFolder(), 1);
  EXPECT_EQ(replaceFileBytes(path("out"), "NEW"), std::nullopt);
  EXPECT_EQ(readFileText(path("out")), "NEW");
#endif
}

// Mended fault: a link was replaced with a file, a private file became readable by all, and
// a pipe or device under the name was replaced too. A pipe is refused, not opened: opening
// it would wait for a reader for ever.
TEST_F(ReplaceFileTest, FollowsLinksKeepsPermissionsAndRefusesPipes) {
#ifdef _WIN32
  GTEST_SKIP() << "links, permission bits and named pipes as POSIX has them";
#else
  folder_.write("real", "OLD");
  fs::permissions(path("real"), fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real", path("link"));
  ASSERT_EQ(replaceFileBytes(path("link"), "NEW"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(path("link")));
  EXPECT_EQ(readFileText(path("real")), "NEW");
  EXPECT_EQ(fs::status(path("real")).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(mkfifo(path("pipe").c_str(), 0600), 0);
  EXPECT_EQ(replaceFileBytes(path("pipe"), "x"), Problem{"cannot replace " + path("pipe") + ": it is not a file"});
  fs::create_symlink("pipe", path("to-pipe"));
  EXPECT_NE(replaceFileBytes(path("to-pipe"), "x"), std::nullopt);
  EXPECT_TRUE(fs::is_fifo(path("pipe")));
#endif
}

// Windows refuses to replace a file that a reader holds open without allowing deletion; a
// reader that lets go within half a second no longer costs the tracer its trace.
TEST_F(ReplaceFileTest, WaitsBrieflyForAReaderThatHoldsTheOldFile) {
#ifndef _WIN32
  GTEST_SKIP() << "elsewhere a file held open is replaced at once";
#else
  folder_.write("held", "OLD");
  const HANDLE held =
      CreateFileW(folder_.file("held").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread reader([held] {
    Sleep(200);
    CloseHandle(held);
  });
  EXPECT_EQ(replaceFileBytes(path("held"), "NEW"), std::nullopt);
  reader.join();
  EXPECT_EQ(readFileText(path("held")), "NEW");
#endif
}

// The setup dialog asks this before it takes a save folder: the answer must be the one a store
// would meet, and asking must leave the folder as it was.
TEST_F(ReplaceFileTest, FolderWriteProblemAnswersAsAStoreWouldAndLeavesNothing) {
  folder_.write("Temp.tmp", "an operator's trace");
  EXPECT_EQ(folderWriteProblem(folder_.path()), std::nullopt);
  EXPECT_EQ(readFileText(path("Temp.tmp")), "an operator's trace");
  EXPECT_EQ(filesInFolder(), 1);
  EXPECT_NE(folderWriteProblem(path("missing")), std::nullopt);
  EXPECT_NE(folderWriteProblem(path("Temp.tmp")), std::nullopt);  // a file, not a folder
  EXPECT_FALSE(folder_.has("missing"));
  EXPECT_EQ(folderWriteProblem(""), Problem{"no folder is named"});  // not the current folder
}

// A left-over temporary file goes; one a running store is writing stays, or that store
// would fail. Only the writer's own names are touched.
TEST_F(ReplaceFileTest, LeftOverTemporaryFilesGoUnlessBeingWritten) {
  folder_.write(".Temp-00000000deadbeef.tmp", "cut short");
  folder_.write(".Temp-0000000Xdeadbeef.tmp", "not one of ours");
  std::FILE* writing = platform::openExclusive(folder_.file(".Temp-00000000feedbeef.tmp"));
  ASSERT_NE(writing, nullptr);
  EXPECT_EQ(removeLeftoverTemporaryFiles(folder_.path()), 1);
  EXPECT_FALSE(folder_.has(".Temp-00000000deadbeef.tmp"));
  EXPECT_TRUE(folder_.has(".Temp-00000000feedbeef.tmp") && folder_.has(".Temp-0000000Xdeadbeef.tmp"));
  std::fclose(writing);
}

}  // namespace
}  // namespace lumora::testing

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

#include "file_size_limit.h"
#include "temp_folder.h"
#include "base/core/file_read.h"

namespace lumora::testing {
namespace {

class ReplaceFileTest : public ::testing::Test {
 protected:
  static void Write(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  testing::TempFolder folder_{"lumora-replace"};
  std::filesystem::path root_ = folder_.dir();
};

TEST_F(ReplaceFileTest, AFailedWriteKeepsTheOldFileWholeAndLeavesNoTemporaryFile) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows has no per-process file size limit to make a write fail part-way";
#else
  const std::string target = (root_ / "out").string();
  Write(target, "OLD CONTENTS\r\n");
  std::optional<Problem> failure;
  {
    const FileSizeLimit limit(64);
    failure = replaceFileBytes(target, std::string(1000, 'x'));
  }
  ASSERT_TRUE(failure);
  EXPECT_NE(failure->text.find("cannot write"), std::string::npos) << failure->text;
  EXPECT_EQ(readFileText(target), "OLD CONTENTS\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(root_), {}), 1);
  EXPECT_EQ(replaceFileBytes(target, "NEW"), std::nullopt);
  EXPECT_EQ(readFileText(target), "NEW");
#endif
}

// Mended fault: a link was replaced with a file, a private file became readable by all, and
// a pipe or device under the name was replaced too. A pipe is refused, not opened: opening
// it would wait for a reader for ever.
TEST_F(ReplaceFileTest, FollowsLinksKeepsPermissionsAndRefusesPipes) {
#ifdef _WIN32
  GTEST_SKIP() << "links, permission bits and named pipes as POSIX has them";
#else
  namespace fs = std::filesystem;
  const fs::path real = root_ / "real", link = root_ / "link", fifo = root_ / "pipe";
  Write(real, "OLD");
  fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink("real", link);
  ASSERT_EQ(replaceFileBytes(link.string(), "NEW"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(link));
  EXPECT_EQ(readFileText(real.string()), "NEW");
  EXPECT_EQ(fs::status(real).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  EXPECT_EQ(replaceFileBytes(fifo.string(), "x"), Problem{"cannot replace " + fifo.string() + ": it is not a file"});
  EXPECT_TRUE(fs::is_fifo(fifo));
  fs::create_symlink("pipe", root_ / "to-pipe");
  EXPECT_NE(replaceFileBytes((root_ / "to-pipe").string(), "x"), std::nullopt);
  EXPECT_TRUE(fs::is_fifo(fifo));
#endif
}

// Windows refuses to replace a file that a reader holds open without allowing deletion; a
// reader that lets go within half a second no longer costs the tracer its trace.
TEST_F(ReplaceFileTest, WaitsBrieflyForAReaderThatHoldsTheOldFile) {
#ifndef _WIN32
  GTEST_SKIP() << "elsewhere a file held open is replaced at once";
#else
  const std::filesystem::path target = root_ / "held";
  Write(target, "OLD");
  const HANDLE held = CreateFileW(target.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  std::thread reader([held] {
    Sleep(200);
    CloseHandle(held);
  });
  EXPECT_EQ(replaceFileBytes(target.string(), "NEW"), std::nullopt);
  reader.join();
  EXPECT_EQ(readFileText(target.string()), "NEW");
#endif
}

// The setup dialog asks this before it takes a save folder: the answer must be the one a store
// would meet, and asking must leave the folder as it was.
TEST_F(ReplaceFileTest, FolderWriteProblemAnswersAsAStoreWouldAndLeavesNothing) {
  namespace fs = std::filesystem;
  Write(root_ / "Temp.tmp", "an operator's trace");
  EXPECT_EQ(folderWriteProblem(root_.string()), std::nullopt);
  EXPECT_EQ(readFileText((root_ / "Temp.tmp").string()), "an operator's trace");
  EXPECT_EQ(std::distance(fs::directory_iterator(root_), {}), 1);
  EXPECT_NE(folderWriteProblem((root_ / "missing").string()), std::nullopt);
  EXPECT_NE(folderWriteProblem((root_ / "Temp.tmp").string()), std::nullopt);  // a file, not a folder
  EXPECT_FALSE(fs::exists(root_ / "missing"));
  EXPECT_EQ(folderWriteProblem(""), Problem{"no folder is named"});  // not the current folder
  for (int n = 1; n < 100; ++n) Write(root_ / ("Temp" + std::to_string(n) + ".tmp"), "");
  EXPECT_EQ(folderWriteProblem(root_.string()), Problem{"the temporary names Temp.tmp to Temp99.tmp are all taken"});
}

}  // namespace
}  // namespace lumora::testing

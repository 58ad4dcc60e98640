#include "link/core/trace_file_writer.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace lumora {
namespace {

namespace fs = std::filesystem;

class TraceFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = (fs::temp_directory_path() / "lumora-link-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { fs::remove_all(dir_); }

  static std::string read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  static void write(const fs::path& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> names() const {
    std::vector<std::string> found;
    for (const auto& entry : fs::directory_iterator(dir_))
      found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }

  fs::path dir_;
  TraceFileWriter writer_;
};

TEST_F(TraceFileWriterTest, WritesLinesWithCrLfAndNothingElse) {
  EXPECT_EQ(writer_.StoreTrace(dir_.string(), "12345", {"REQ=FIL", "JOB=12345", "R=2500;2501"}),
            "");
  EXPECT_EQ(read(dir_ / "12345"), "REQ=FIL\r\nJOB=12345\r\nR=2500;2501\r\n");
  EXPECT_EQ(names(), std::vector<std::string>{"12345"});  // no temporary file left behind
}

TEST_F(TraceFileWriterTest, EmptyListGivesEmptyFile) {
  EXPECT_EQ(writer_.StoreTrace(dir_.string(), "1", {}), "");
  EXPECT_TRUE(fs::exists(dir_ / "1"));
  EXPECT_EQ(read(dir_ / "1"), "");
}

TEST_F(TraceFileWriterTest, SavingTwiceKeepsSecondContent) {
  ASSERT_EQ(writer_.StoreTrace(dir_.string(), "7", {"A=1", "B=2", "C=3"}), "");
  ASSERT_EQ(writer_.StoreTrace(dir_.string(), "7", {"D=4"}), "");
  EXPECT_EQ(read(dir_ / "7"), "D=4\r\n");
}

TEST_F(TraceFileWriterTest, ReplacesByRenameSoOpenReadersKeepOldTrace) {
  write(dir_ / "7", "OLD\r\n");
  std::ifstream reader(dir_ / "7", std::ios::binary);
  ASSERT_EQ(writer_.StoreTrace(dir_.string(), "7", {"NEW"}), "");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "OLD\r\n");
  EXPECT_EQ(read(dir_ / "7"), "NEW\r\n");
}

TEST_F(TraceFileWriterTest, LeavesForeignTemporaryFileAlone) {
  write(dir_ / "Temp.tmp", "someone else's");
  ASSERT_EQ(writer_.StoreTrace(dir_.string(), "9", {"X=1"}), "");
  EXPECT_EQ(read(dir_ / "Temp.tmp"), "someone else's");
  EXPECT_EQ(read(dir_ / "9"), "X=1\r\n");
  EXPECT_EQ(names(), (std::vector<std::string>{"9", "Temp.tmp"}));
}

TEST_F(TraceFileWriterTest, TraceNamedLikeTheTemporaryFile) {
  ASSERT_EQ(writer_.StoreTrace(dir_.string(), "Temp.tmp", {"X=1"}), "");
  ASSERT_EQ(writer_.StoreTrace(dir_.string(), "Temp.tmp", {"X=2"}), "");
  EXPECT_EQ(read(dir_ / "Temp.tmp"), "X=2\r\n");
  EXPECT_EQ(names(), std::vector<std::string>{"Temp.tmp"});
}

TEST_F(TraceFileWriterTest, MissingFolderFailsWithReason) {
  const std::string why = writer_.StoreTrace((dir_ / "absent").string(), "1", {"A=1"});
  EXPECT_NE(why.find("cannot create a temporary file in"), std::string::npos) << why;
  EXPECT_NE(why.find("absent"), std::string::npos) << why;
  EXPECT_FALSE(fs::exists(dir_ / "absent"));
}

TEST_F(TraceFileWriterTest, RefusedRenameKeepsTargetAndRemovesTemporary) {
  fs::create_directory(dir_ / "5");
  write(dir_ / "5" / "inside", "x");
  const std::string why = writer_.StoreTrace(dir_.string(), "5", {"A=1"});
  EXPECT_NE(why.find("cannot replace"), std::string::npos) << why;
  EXPECT_EQ(read(dir_ / "5" / "inside"), "x");
  EXPECT_EQ(names(), std::vector<std::string>{"5"});
}

TEST_F(TraceFileWriterTest, PathJoinsFolderAndName) {
  EXPECT_EQ(writer_.TracePath("/saves", "123"), "/saves/123");
}

TEST(TraceFileBytes, EachLineEndsWithCrLf) {
  EXPECT_EQ(TraceFileBytes({"A=1", "", "B=2"}), "A=1\r\n\r\nB=2\r\n");
}

}  // namespace
}  // namespace lumora

#include "link/core/trace_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

#include "temp_folder.h"
#include "base/core/file_read.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

class TraceFileWriterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = testing::MakeTempFolder("lumora-link");
    ASSERT_FALSE(dir_.empty()) << "no temporary folder";
  }
  void TearDown() override {
    if (!dir_.empty()) fs::remove_all(dir_);
  }

  std::string store(const std::string& name, const Names& lines) {
    return writer_.StoreTrace(dir_.string(), name, lines);
  }
  void write(const fs::path& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  std::string read(const fs::path& name) const { return readFileText((dir_ / name).string()); }
  // The folder's entries: a left-over temporary file shows here.
  Names names() const {
    Names found;
    for (const auto& entry : fs::directory_iterator(dir_)) found.push_back(entry.path().filename().string());
    std::sort(found.begin(), found.end());
    return found;
  }

  fs::path dir_;
  TraceFileWriter writer_;
};

TEST_F(TraceFileWriterTest, WritesLinesWithCrLfAndNothingElse) {
  EXPECT_EQ(store("12345", {"REQ=FIL", "JOB=12345", "", "R=2500;2501"}), "");
  EXPECT_EQ(read("12345"), "REQ=FIL\r\nJOB=12345\r\n\r\nR=2500;2501\r\n");
  EXPECT_EQ(names(), Names{"12345"});
#ifdef _WIN32
  EXPECT_EQ(writer_.TracePath("C:\\saves", "123"), "C:\\saves\\123");
#else
  EXPECT_EQ(writer_.TracePath("/saves", "123"), "/saves/123");
#endif
}

// The new file replaces the old by a rename, so an open reader keeps the old trace; the
// temporary file never clobbers a file of its name, which a trace may bear itself.
// Windows refuses to rename over a file that is open: the store says so, keeps the old trace
// whole and removes its temporary file, and succeeds once the reader has closed the file.
TEST_F(TraceFileWriterTest, ReplacesByRenameThroughAFreshTemporaryFile) {
  write("7", "OLD\r\n");
  write("Temp.tmp", "someone else's");
  {
    std::ifstream reader(dir_ / "7", std::ios::binary);
#ifdef _WIN32
    const std::string refused = store("7", {"NEW"});
    EXPECT_NE(refused.find("cannot replace"), std::string::npos) << refused;
    EXPECT_EQ(read("7"), "OLD\r\n");
    EXPECT_EQ(names(), (Names{"7", "Temp.tmp"}));
#else
    ASSERT_EQ(store("7", {"NEW"}), "");
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(reader), {}), "OLD\r\n");
#endif
  }
#ifdef _WIN32
  ASSERT_EQ(store("7", {"NEW"}), "");  // the reader has closed the file
#endif
  EXPECT_EQ(read("7"), "NEW\r\n");
  EXPECT_EQ(read("Temp.tmp"), "someone else's");
  ASSERT_EQ(store("Temp.tmp", {"X=2"}), "");
  ASSERT_EQ(store("Temp.tmp", {"X=3"}), "");
  EXPECT_EQ(read("Temp.tmp"), "X=3\r\n");
  EXPECT_EQ(names(), (Names{"7", "Temp.tmp"}));
}

// A failure always comes with a reason, which the link reports instead of claiming success.
TEST_F(TraceFileWriterTest, FailuresGiveAReasonAndLeaveTheFolderAsItWas) {
  const std::string missing = writer_.StoreTrace((dir_ / "absent").string(), "1", {"A=1"});
  EXPECT_NE(missing.find("cannot create a temporary file in"), std::string::npos) << missing;
  fs::create_directory(dir_ / "5");  // a folder where the trace should go refuses the rename
  write("5/inside", "x");
  EXPECT_NE(store("5", {"A=1"}).find("cannot replace"), std::string::npos);
  EXPECT_EQ(read("5/inside"), "x");
  EXPECT_EQ(names(), Names{"5"});
}

}  // namespace
}  // namespace lumora

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "commands.h"

namespace lumora::tool {
namespace {

const std::string kSamples = LUMORA_SAMPLES;

struct ToolRun {
  int code;
  std::string out, err;
};

ToolRun run(std::vector<std::string> args) {
  std::ostringstream out, err;
  const int code = RunTool(args, {out, err});
  return {code, out.str(), err.str()};
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) out.push_back(line);
  return out;
}

class TempFolder : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("lumora-tool-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::create_directories(dir_);
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }
  std::string write(const std::string& name, const std::string& bytes) {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
    return (dir_ / name).string();
  }
  std::filesystem::path dir_;
};

}  // namespace

TEST(ToolUsage, BadUsageExitsTwoWithTheUsage) {
  for (const auto& args : std::vector<std::vector<std::string>>{
           {}, {"nonsense"}, {"info"}, {"info", "--bogus", "x"}, {"resize", kSamples + "/1001"},
           {"resize", kSamples + "/1001", "--stretch", "1", "--new-b", "abc"},
           {"drills", kSamples + "/1005", "--side", "2"}, {"multiline", kSamples + "/1001", "R="},
           {"label", kSamples + "/1001"}}) {
    const ToolRun r = run(args);
    EXPECT_EQ(r.code, kExitUsage);
    EXPECT_NE(r.err.find("usage: lumora-trace"), std::string::npos);
    EXPECT_TRUE(r.out.empty());
  }
}

TEST(ToolInfo, JsonIsOneSortedObjectPerReadableFile) {
  const ToolRun r =
      run({"info", "--json", kSamples + "/1002", "/nonexistent/trace", kSamples + "/1003"});
  EXPECT_EQ(r.code, kExitFile);
  EXPECT_NE(r.err.find("cannot read /nonexistent/trace"), std::string::npos);
  const auto out = lines(r.out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].rfind("{\"dbl\":0,\"etyp\":\"1\",\"frameType\":\"M\",\"ftyp\":\"2\","
                         "\"instructions\":\"Direct From Tracer\",\"sides\":[{\"a\":48.01,\"b\":31.01,",
                         0),
            0u);
  EXPECT_NE(out[0].find("\"tformat\":\"TRCFMT=1;400;E;L;F\""), std::string::npos);
  EXPECT_NE(out[1].find("\"frameType\":\"R\""), std::string::npos);
}

TEST_F(TempFolder, JsonTextsAreLatin1AsUtf8AndEscaped) {
  const ToolRun r = run({"info", "--json", write("t", "FTYP=\xE9\"\\\x01\n")});
  ASSERT_EQ(r.code, kExitOk);
  EXPECT_NE(r.out.find("\"ftyp\":\"\xC3\xA9\\\\\\u0001\""), std::string::npos) << r.out;
}

TEST(ToolInfo, SummaryNamesBothSides) {
  const ToolRun r = run({"info", kSamples + "/1001"});
  ASSERT_EQ(r.code, kExitOk);
  EXPECT_NE(r.out.find("right: A 52.77 B 39.15 C 159.48"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("left : A 52.77"), std::string::npos);
}

TEST_F(TempFolder, ResizeWritesTheRebuiltPacket) {
  const std::string out = (dir_ / "out").string();
  const ToolRun r = run({"resize", kSamples + "/1002", "--stretch", "1", "--new-b", "40", "-o", out});
  ASSERT_EQ(r.code, kExitOk);
  const ToolRun info = run({"info", "--json", out});
  EXPECT_NE(info.out.find("\"b\":40"), std::string::npos) << info.out;
  const ToolRun toStdout = run({"resize", kSamples + "/1002", "--stretch", "1", "--new-b", "40"});
  std::ifstream file(out, std::ios::binary);
  EXPECT_EQ(toStdout.out, std::string(std::istreambuf_iterator<char>(file), {}));
}

TEST_F(TempFolder, ResizeOfAnEmptyFileWritesNothing) {
  const ToolRun r = run({"resize", write("empty", ""), "--stretch", "0", "--new-b", "40", "-o", (dir_ / "o").string()});
  EXPECT_EQ(r.code, kExitFile);
  EXPECT_FALSE(std::filesystem::exists(dir_ / "o"));
}

TEST(ToolLabels, PrintTheLabelOperations) {
  EXPECT_EQ(run({"label", kSamples + "/1002", "HBOX="}).out, "48.00\n");
  EXPECT_EQ(run({"label", kSamples + "/1002", "HBOX=", "--side", "1"}).out, "?\n");
  EXPECT_EQ(run({"label", kSamples + "/1002", "HBOX=", "--side", "2"}).out, "48.00;?\n");
  EXPECT_EQ(run({"getall", kSamples + "/1001", "job="}).out, "1001\n");
  EXPECT_EQ(run({"multiline", kSamples + "/1001", "TRCFMT=", "0"}).out, "TRCFMT=1;400;E;R;F\nTRCFMT=1;400;E;L;F\n");
  EXPECT_EQ(run({"multiline", kSamples + "/1001", "TRCFMT=", "2"}).out, "TRCFMT=1;400;E;L;F\n");
}

TEST(ToolDrills, ListsTheSidesRecords) {
  const ToolRun r = run({"drills", kSamples + "/1005", "--side", "0"});
  ASSERT_EQ(r.code, kExitOk);
  EXPECT_EQ(r.out,
            "{\"drill\":[\"DRILL=R;C;10.5;3.2;1.6\",\"DRILL=B;C;-10.5;3.2;1.6\"],\"drilleFound\":true,"
            "\"drillsB\":[\"DRILLE=R;B;-19.0;-4.0;1.4;-18.5;-4.0;1.4\"],"
            "\"drillsC\":[\"DRILLE=R;C;20.00;2.50;1.60;21.50;2.50;1.60;A\"],\"drillsE\":[],\"found\":true}\n");
}

}  // namespace lumora::tool

// Resizing whole trace packets, the rebuilt file in the program's "Traces" folder, and
// exporting packets to files.
#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "trace/core/numtext.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

namespace fs = std::filesystem;

// "R=" lines of n equal radii, ten to a line.
std::string RadiusLines(int n, const std::string& radius) {
  std::string out;
  for (int i = 0; i < n; ++i) out += (i % 10 == 0 ? (i ? "\r\nR=" : "R=") : ";") + radius;
  return out + "\r\n";
}

std::string CirclePacket(const std::string& trcfmt = "TRCFMT=1;400;E;R;F") {
  return "REQ=TRC\r\nJOB=\"J7\"\r\n" + trcfmt + "\r\n" + RadiusLines(400, "2500") +
         "A=0.9;1.8\r\nZFMT=1;2;E;R;F\r\nZ=10;20\r\nHBOX=49.00;49.00\r\nVBOX=48;48\r\n"
         "CIRC=1;1\r\nFED=1;1\r\nFEDAX=7;7\r\nDBL=18.5";
}

std::string Record(const std::string& packet, const std::string& label) {
  const auto at = packet.find("\n" + label);
  if (at == std::string::npos) return "<missing>";
  return packet.substr(at + 1 + label.size(), packet.find('\n', at + 1) - at - 1 - label.size());
}

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(RebuildWithNewB, CircleKeepsItsRadiiAndGetsNewBoxRecords) {
  const auto rebuilt = RebuildWithNewB(CirclePacket(), 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(Record(*rebuilt, "HBOX="), "50.00;50.00");
  EXPECT_EQ(Record(*rebuilt, "VBOX="), "50.00;50.00");
  EXPECT_EQ(Record(*rebuilt, "FED="), "50.00;50.00");
  EXPECT_EQ(Record(*rebuilt, "FEDAX="), "0.00;0.00");
  const double circ = value(Record(*rebuilt, "CIRC="));
  EXPECT_NEAR(circ, 156.0, 0.2);
  EXPECT_EQ(Count(*rebuilt, "R=2500;2500;2500;2500;2500;2500;2500;2500;2500;2500\n"), 40u);
  EXPECT_EQ(Count(*rebuilt, "\r"), 0u);
}

TEST(RebuildWithNewB, StretchToFiftyTwoGrowsOnlyTheHeight) {
  const auto rebuilt = RebuildWithNewB(CirclePacket(), 1, 52);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(Record(*rebuilt, "VBOX="), "52.00;52.00");
  EXPECT_EQ(Record(*rebuilt, "HBOX="), "50.00;50.00");
}

TEST(RebuildWithNewB, RightOnlyTraceGetsBothSidesRecordsButOnlyRightRadiusLines) {
  const auto rebuilt = RebuildWithNewB(CirclePacket(), 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(Record(*rebuilt, "HBOX="), "50.00;50.00");
  EXPECT_EQ(Count(*rebuilt, "TRCFMT="), 1u);
  EXPECT_EQ(Count(*rebuilt, "R="), 40u);
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;R;F\nR=2500;"), std::string::npos);
}

TEST(RebuildWithNewB, LeftFormatLineIsFollowedByTheLeftRadii) {
  // The left eye is 2400 wide, the right 2500: each format line takes its own side's radii.
  const std::string packet = "TRCFMT=1;400;E;R;F\n" + RadiusLines(400, "2500") +
                             "TRCFMT=1;400;E;L;F\n" + RadiusLines(400, "2400") + "HBOX=1;1";
  const auto rebuilt = RebuildWithNewB(packet, 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;R;F\nR=2500;"), std::string::npos);
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;L;F\nR=2400;"), std::string::npos);
  EXPECT_EQ(Record(*rebuilt, "HBOX="), "50.00;48.00");
}

TEST(RebuildWithNewB, OtherRecordsAreCopiedAndOldRadiiDropped) {
  const auto rebuilt = RebuildWithNewB(CirclePacket(), 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(rebuilt->rfind("REQ=TRC\nJOB=\"J7\"\n", 0), 0u);
  EXPECT_NE(rebuilt->find("\nA=0.9;1.8\nZFMT=1;2;E;R;F\nZ=10;20\n"), std::string::npos);
  EXPECT_NE(rebuilt->find("\nDBL=18.5\n"), std::string::npos);
  EXPECT_EQ(rebuilt->back(), '\n');
}

TEST(RebuildWithNewB, TwentyFiveRadiiGiveLinesOfTenTenAndFive) {
  const auto rebuilt = RebuildWithNewB("TRCFMT=1;25;E;R;F\n" + RadiusLines(25, "2000"), 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  std::vector<std::size_t> valuesPerLine;
  for (auto at = rebuilt->find("\nR="); at != std::string::npos; at = rebuilt->find("\nR=", at + 1))
    valuesPerLine.push_back(1 + static_cast<std::size_t>(std::count(
        rebuilt->begin() + static_cast<std::ptrdiff_t>(at) + 1,
        rebuilt->begin() + static_cast<std::ptrdiff_t>(rebuilt->find('\n', at + 1)), ';')));
  EXPECT_EQ(valuesPerLine, (std::vector<std::size_t>{10, 10, 5}));
}

TEST(RebuildWithNewB, EmptyPacketGivesNothing) {
  EXPECT_FALSE(RebuildWithNewB("", 1, 52).has_value());
}

TEST(RebuildWithNewB, PacketWithoutRadiiWritesQuestionMarks) {
  const auto rebuilt = RebuildWithNewB("JOB=1\nTRCFMT=1;400;E;R;F\nHBOX=50;50", 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(*rebuilt, "JOB=1\nTRCFMT=1;400;E;R;F\n\nHBOX=?;?\n");
}

TEST(RebuildWithNewB, StretchOfAZeroHighTraceLeavesItUnstretched) {
  // Radii of 0.1 hundredths at 90 and 270 degrees: the measured B rounds to 0.00.
  const std::string packet = "TRCFMT=1;4;E;R;F\nR=2500;0.1;2500;0.1\nVBOX=0;0";
  const auto plain = RebuildWithNewB(packet, 0, 0);
  const auto stretched = RebuildWithNewB(packet, 1, 52);
  ASSERT_TRUE(plain.has_value() && stretched.has_value());
  EXPECT_EQ(*stretched, *plain);
  EXPECT_EQ(Count(*stretched, "nan") + Count(*stretched, "inf"), 0u);
}

TEST(RebuildWithNewB, AbsurdNumbersNeverGiveNonFiniteRecords) {
  const std::string packet = "TRCFMT=1;6;E;R;F\nR=1e308;2500;nan;1e308;inf;2500;1e-300;900\nHBOX=1;1\nVBOX=1;1";
  for (double newB : {52.0, 1e308, -1e308}) {
    const auto rebuilt = RebuildWithNewB(packet, 1, newB);
    ASSERT_TRUE(rebuilt.has_value());
    EXPECT_EQ(Count(*rebuilt, "nan") + Count(*rebuilt, "inf"), 0u) << *rebuilt;
    EXPECT_LT(Record(*rebuilt, "HBOX=").size(), 40u);
  }
}

TEST(RebuildWithNewB, FlatEdgedTraceGetsNoRadiusZero) {
  // A 40 x 24 mm rectangle: the flat-edge shortcut of the intersection rule misses two rays
  // of it (see resize_geometry_test); they must take the true outline point instead.
  std::string packet = "TRCFMT=1;400;E;R;F\n";
  for (int i = 0; i < 400; ++i) {
    const double a = 2 * Pi() * i / 400;
    const double r = std::min(20 / std::fabs(std::cos(a)), 12 / std::fabs(std::sin(a)));
    packet += (i % 10 ? ";" : (i ? "\nR=" : "R=")) + formatNumber(r * 100, "#####0");
  }
  const auto rebuilt = RebuildWithNewB(packet + "\nHBOX=40;40", 0, 0);
  ASSERT_TRUE(rebuilt.has_value());
  EXPECT_EQ(Count(*rebuilt, "=0;") + Count(*rebuilt, ";0;") + Count(*rebuilt, ";0\n"), 0u);
  EXPECT_NEAR(value(Record(*rebuilt, "HBOX=")), 40.0, 0.05);
}

// Real folders: a save folder and a program folder, restored afterwards.
class ChangeFrameBFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    saved_ = Shared();
    root_ = fs::temp_directory_path() / ("lumora_resize_" + std::to_string(::getpid()) + "_" +
                                         ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_ / "save");
    fs::create_directories(root_ / "prog" / "Traces");
    Shared().SavePath = (root_ / "save").string();
    Shared().ProgramFolder = (root_ / "prog").string();
  }
  void TearDown() override {
    Shared() = saved_;
    fs::remove_all(root_);
  }
  static void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
  }
  static std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
  fs::path root_;
  SharedValues saved_;
};

TEST_F(ChangeFrameBFiles, WritesTheRebuiltTraceToTheTracesFolder) {
  Write(root_ / "save" / "J7", CirclePacket());
  clsVCATrace trace;
  trace.ChangeFrameB("J7", 1, 52);
  EXPECT_EQ(Read(root_ / "prog" / "Traces" / "J7"), *RebuildWithNewB(CirclePacket(), 1, 52));
  EXPECT_EQ(trace.B(0), 50.0);  // the object holds the trace as loaded
}

TEST_F(ChangeFrameBFiles, MissingTracesFolderIsNotCreated) {
  fs::remove_all(root_ / "prog" / "Traces");
  Write(root_ / "save" / "J7", CirclePacket());
  clsVCATrace().ChangeFrameB("J7", 0, 0);
  EXPECT_FALSE(fs::exists(root_ / "prog" / "Traces"));
}

TEST_F(ChangeFrameBFiles, MissingOrEmptyTraceWritesNothing) {
  Write(root_ / "save" / "EMPTY", "");
  clsVCATrace().ChangeFrameB("J7", 0, 0);
  clsVCATrace().ChangeFrameB("EMPTY", 0, 0);
  EXPECT_TRUE(fs::is_empty(root_ / "prog" / "Traces"));
}

TEST_F(ChangeFrameBFiles, UnsafeTraceNameIsNeverWritten) {
  // "../J7" would be read from the save folder's parent and written beside "Traces".
  fs::create_directories(root_ / "save" / "sub");
  Shared().SavePath = (root_ / "save" / "sub").string();
  Write(root_ / "save" / "J7", CirclePacket());
  clsVCATrace().ChangeFrameB("../J7", 0, 0);
  EXPECT_FALSE(fs::exists(root_ / "prog" / "J7"));
  EXPECT_TRUE(fs::is_empty(root_ / "prog" / "Traces"));
}

TEST_F(ChangeFrameBFiles, ExportOverwritesAndAddsNoLineEnd) {
  const fs::path file = root_ / "out.vca";
  Write(file, "A much longer earlier content\r\n");
  clsVCATrace().ExportNewTraceToFile("JOB=1\nHBOX=2", file.string());
  EXPECT_EQ(Read(file), "JOB=1\nHBOX=2");
}

TEST_F(ChangeFrameBFiles, ExportIntoAMissingFolderCreatesNothing) {
  clsVCATrace().ExportNewTraceToFile("JOB=1", (root_ / "nowhere" / "out.vca").string());
  EXPECT_FALSE(fs::exists(root_ / "nowhere"));
}

}  // namespace
}  // namespace lumora

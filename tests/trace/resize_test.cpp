// Resizing whole trace packets, the rebuilt file in the program's "Traces" folder, and
// exporting packets to files.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "packets.h"
#include "base/core/file_read.h"
#include "base/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {
using namespace lumora::testing;
namespace fs = std::filesystem;

// A right eye of 400 radii of 25 mm with the records around them, CR LF line ends; the
// records whose labels only resemble a box record pass unchanged.
const std::string kCircle = "REQ=TRC\r\nJOB=\"J7\"\r\nTRCFMT=1;400;E;R;F\r\n" +
                            ValueLines("R=", Repeated("2500", 400), "\r\n") +
                            "A=0.9;1.8\r\nZFMT=1;2;E;R;F\r\nZ=10;20\r\nhbox=9\r\nXHBOX=3\r\nR =4\r\nHBOX=49.00;49.00\r\n"
                            "VBOX=48;48\r\nCIRC=1;1\r\nFED=1;1\r\nFEDAX=7;7\r\nDBL=18.5";

std::string Record(const std::string& packet, const std::string& label) {
  const auto at = packet.find("\n" + label);
  if (at == std::string::npos) return "<missing>";
  return packet.substr(at + 1 + label.size(), packet.find('\n', at + 1) - at - 1 - label.size());
}

TEST(RebuildWithNewB, CircleGetsNewBoxRecordsForBothEyesAndLineFeeds) {
  // The rays step by 0.01745 rad a degree, so the last chord closes a wider gap: 399 x 0.39 + 0.42.
  EXPECT_EQ(RebuildWithNewB(kCircle, 0, 0),
            "REQ=TRC\nJOB=\"J7\"\nTRCFMT=1;400;E;R;F\n" + ValueLines("R=", Repeated("2500", 400)) +
                "A=0.9;1.8\nZFMT=1;2;E;R;F\nZ=10;20\nhbox=9\nXHBOX=3\nR =4\nHBOX=50.00;50.00\nVBOX=50.00;50.00\n"
                "CIRC=156.03;156.03\nFED=50.00;50.00\nFEDAX=0.00;0.00\nDBL=18.5\n");
  const std::string stretched = *RebuildWithNewB(kCircle, 1, 52);
  EXPECT_EQ((std::vector<std::string>{Record(stretched, "HBOX="), Record(stretched, "VBOX="), Record(stretched, "CIRC="),
                                      Record(stretched, "FED="), Record(stretched, "FEDAX=")}),
            (std::vector<std::string>{"50.00;50.00", "52.00;52.00", "160.33;160.33", "52.00;52.00", "94.00;94.00"}));
}

TEST(RebuildWithNewB, EachFormatLineIsFollowedByItsOwnSidesRadii) {
  const std::string packet = EyeRecords('R', Repeated("2500", 400)) + EyeRecords('L', Repeated("2400", 400)) + "HBOX=1;1";
  const auto rebuilt = RebuildWithNewB(packet, 0, 0);
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;R;F\nR=2500;"), std::string::npos);
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;L;F\nR=2400;"), std::string::npos);
  EXPECT_EQ(Record(*rebuilt, "HBOX="), "50.00;48.00");
}

TEST(RebuildWithNewB, APacketWithoutRadiiGetsQuestionMarksAnEmptyOneNothing) {
  EXPECT_EQ(RebuildWithNewB("JOB=1\nTRCFMT=1;400;E;R;F\nHBOX=50;50", 0, 0), "JOB=1\nTRCFMT=1;400;E;R;F\n\nHBOX=?;?\n");
  EXPECT_FALSE(RebuildWithNewB("", 1, 52).has_value());
}

// Mended faults: a B of 0 (radii of 0.1 hundredths at 90 and 270 degrees) cannot be
// stretched, and absurd numbers never give "nan" or "inf" records.
TEST(RebuildWithNewB, AZeroBOrAbsurdNumbersLeaveTheOutlineUnstretched) {
  const std::string zeroHigh = "TRCFMT=1;4;E;R;F\nR=2500;0.1;2500;0.1\nVBOX=0;0";
  EXPECT_EQ(RebuildWithNewB(zeroHigh, 1, 52), RebuildWithNewB(zeroHigh, 0, 0));
  const std::string packet = "TRCFMT=1;6;E;R;F\nR=1e308;2500;nan;1e308;inf;2500;1e-300;900\nHBOX=1;1\nVBOX=1;1";
  for (double newB : {52.0, 1e308, -1e308}) {
    const auto rebuilt = RebuildWithNewB(packet, 1, newB);
    EXPECT_EQ(rebuilt->find_first_of("afi"), std::string::npos) << *rebuilt;
    EXPECT_LT(Record(*rebuilt, "HBOX=").size(), 40u);
  }
}

// Real folders: a save folder and a program folder with its "Traces" subfolder.
class ChangeFrameBFiles : public TempFolderTest {
 protected:
  void SetUp() override {
    TempFolderTest::SetUp();
    if (HasFatalFailure()) return;
    traces_ = root_ / "prog" / "Traces";
    fs::create_directories(root_ / "save" / "sub");
    fs::create_directories(traces_);
    Shared().SavePath = (root_ / "save").string();
    Shared().ProgramFolder = (root_ / "prog").string();
    Write(root_ / "save" / "J7", kSaved);
    Write(traces_ / "J7", kCircle + kCircle);  // an earlier, longer copy
  }
  fs::path traces_;
  // Mended fault: the rebuild used to normalise the loaded packet's line ends a second time,
  // which took out more of a long run of blank lines than the file's own resize does.
  const std::string kSaved = "REQ=FIL" + std::string(100001, '\n') + kCircle;
};

TEST_F(ChangeFrameBFiles, WritesTheRebuiltTraceToTheTracesFolderOnlyForASafeSavedTrace) {
  clsVCATrace trace;
  trace.ChangeFrameB("J7", 1, 52);
  EXPECT_EQ(readFileText((traces_ / "J7").string()), *RebuildWithNewB(kSaved, 1, 52));  // the earlier copy replaced whole
  EXPECT_EQ(trace.B(0), 50.0);  // the object holds the trace as loaded
  trace.ExportNewTraceToFile("REQ=FIL\r\n", (root_ / "out").string());
  EXPECT_EQ(readFileText((root_ / "out").string()), "REQ=FIL\r\n");
  // Missing, empty or unsafely named traces write nothing: "../J7" would be read from the
  // save folder's parent and written beside "Traces".
  fs::remove(traces_ / "J7");
  Write(root_ / "save" / "EMPTY", "");
  for (const char* name : {"J8", "EMPTY"}) clsVCATrace().ChangeFrameB(name, 0, 0);
  Shared().SavePath = (root_ / "save" / "sub").string();
  clsVCATrace().ChangeFrameB("../J7", 0, 0);
  EXPECT_FALSE(fs::exists(root_ / "prog" / "J7"));
  EXPECT_TRUE(fs::is_empty(traces_));
}

// A missing folder is not created, and nothing is written.
TEST_F(ChangeFrameBFiles, MissingFoldersAreNotCreated) {
  fs::remove_all(traces_);
  clsVCATrace().ChangeFrameB("J7", 0, 0);
  EXPECT_FALSE(fs::exists(traces_));
}

}  // namespace
}  // namespace lumora

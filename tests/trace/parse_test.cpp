#include <gtest/gtest.h>

#include <cmath>

#include "packets.h"
#include "base/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

TEST(Curves, OneCurveFillsBothElseTheDepthsGiveItElseSix) {
  const std::string circle = CirclePacket(400, 2500);
  const std::pair<std::string, double> cases[] = {
      {"FRCV=4.25;4.00\n" + circle, 4.00}, {"FCRV=4.25;4.5\n" + circle, 4.5},
      {"FRCV=5\nFCRV=4.5\n" + circle, 5.0}, {"BEVC=5.5\n" + circle, 5.5}, {circle, 6.0},
      {EyeRecords('R', Repeated("2500", 400), Repeated("200", 400)), 530 / 157.25},  // chord 50, sagitta 2
      {EyeRecords('R', Repeated("2500", 400), Repeated("1e160", 400)), 6.0}};  // mended: the sphere overflowed to a curve of 0
  for (const auto& [packet, curve] : cases) {
    const auto trace = Processed(packet);
    EXPECT_NEAR(trace.FCRV(1), curve, 1e-12) << packet.substr(0, 20);
    EXPECT_NEAR(trace.BEVC(1), curve, 1e-12) << packet.substr(0, 20);
  }
}

TEST(FrameType, FollowsEdgeAndFrameTypes) {
  const std::pair<const char*, const char*> cases[] = {
      {"ETYP=1\nFTYP=2\n", "M"}, {"ETYP=1\nFTYP=1\n", "P"}, {"ETYP=1\n", "P"}, {"ETYP=2\n", "R"},
      {"ETYP=\"3\";3\n", "G"}, {"ETYP=4\n", ""}, {"FTYP=2\n", ""}};
  for (auto [packet, type] : cases) EXPECT_EQ(Processed(packet).LumframeType(), type) << packet;
}

TEST(Dbl, OnlyAWholeDecimalNumberReplacesThePreviousValue) {
  clsVCATrace trace;
  trace.ProcessTrace("DBL= 17 \n");
  for (const char* kept : {"DBL=18,5\n", "DBL=18.5mm\n", "DBL=?\n", "JOB=1\n", "DBL=nan\n", "DBL=1e999\n", "DBL=+-18.5\n"}) {
    trace.ProcessTrace(kept);
    EXPECT_EQ(trace.DBL(), 17) << kept;
  }
  for (const auto& [text, dbl] : {std::pair{"DBL=+18.5\n", 18.5}, {"DBL=-5\n", -5.0}, {"DBL=\t.5 \n", 0.5}}) {
    trace.ProcessTrace(text);
    EXPECT_EQ(trace.DBL(), dbl) << text;
  }
}

TEST(FormatLines, BothEyesBecomeRightAndLeftAndTheLastLineWins) {
  auto both = Processed("TRCFMT=1;400;E;B;F\n" + ValueLines("R=", Repeated("2500", 400)));
  EXPECT_EQ((std::vector{both.TFormat(0), both.TFormat(1)}), (std::vector<std::string>{"TRCFMT=1;400;E;R;F", "TRCFMT=1;400;E;L;F"}));
  EXPECT_EQ(Processed("trcfmt=1;100;e;r;f\nTRCFMT=1;200;E;R;F\nR=1\n").TFormat(0), "TRCFMT=1;200;E;R;F");
}

TEST(Processing, AOneEyedPacketMeasuresBothEyesOverTheRecordSizes) {
  auto trace = Processed("HBOX=10;10\nVBOX=10;10\nCIRC=10;10\n" + CirclePacket(400, 2500, "R"));
  EXPECT_EQ((std::vector{trace.a(0), trace.B(1), trace.C(1)}), (std::vector{50.0, 50.0, 157.08}));
}

TEST(Processing, APacketWithoutTraceFormatBeepsOncePerSide) {
  int beeps = 0;
  SetBeepHandler([&] { ++beeps; });
  Processed("JOB=1\nR=2500;2500\n");
  SetBeepHandler(nullptr);
  EXPECT_EQ(beeps, 2);
}

// Mended fault: absurd numbers give finite results.
TEST(Processing, AbsurdNumbersGiveFiniteResults) {
  auto trace = Processed("DBL=1e308\nFRCV=nan\n" + EyeRecords('R', Repeated("1e308", 400), Repeated("1e308", 400)));
  for (int side : {0, 1})
    for (double v : {trace.a(side), trace.B(side), trace.C(side), trace.ed(side), trace.FCRV(side)})
      EXPECT_TRUE(std::isfinite(v));
}

// Mended fault: a record processed again keeps nothing of the earlier packet but DBL (the
// declared counts of a side without a format used to stay).
TEST(Processing, ARecordProcessedAgainEqualsAFreshOneButForDbl) {
  const std::string next = "JOB=2\nR=2500\n";
  clsVCATrace reused;
  reused.ProcessTrace("DBL=17\n_SHLFFMT=1;3;E;B;F\n_S=1;2;3\n" + CirclePacket(400, 2500));
  reused.ProcessTrace(next);
  const clsVCATrace fresh = Processed(next);
  for (int side : {0, 1}) {
    auto summary = [&](const clsVCATrace& t) {
      return std::tuple(t.RadianCount(side), t.ZDataCount(side), t.SDataCount(side), t.TFormat(side),
                        t.Rx_RadianString(side), t.VCA_SDataString(side), t.a(side), t.FCRV(side));
    };
    EXPECT_EQ(summary(reused), summary(fresh)) << side;
  }
  EXPECT_EQ(reused.DBL(), 17);
}

using LoadFromSaveFolder = TempFolderTest;

// Only a visible, non-empty file of the save folder is loaded, and none too large to be a trace
// (mended fault: a 1 GB file took 3 GB of memory); a failed load empties the packet and
// leaves the other fields.
TEST_F(LoadFromSaveFolder, LoadsOnlyAVisibleNonEmptyFileOfTheSaveFolder) {
  const std::filesystem::path folder = root_ / "save";
  std::filesystem::create_directory(folder);
  Shared().SavePath = folder.string();
  Write(folder / "1001", "JOB=1001\r\nDBL=18\r\n" + CirclePacket(400, 2500, "R"));
  Write(folder / "empty", "");
  Write(folder / ".hidden", "JOB=1");
  Write(folder / "huge", "JOB=3\r\n");
  std::filesystem::resize_file(folder / "huge", std::uintmax_t{17} << 20);
  Write(root_ / "outside", "JOB=2");
  clsVCATrace trace;
  EXPECT_TRUE(trace.LoadVCATrace("1001", "ignored folder"));
  EXPECT_EQ(trace.a(0), 50);
  EXPECT_EQ(trace.GetVCATracePacket("1001").substr(0, 10), "JOB=1001\r\n");
  // Mended fault: a path given as the name no longer reads a file outside the folder.
  for (const std::string& name : {std::string("absent"), std::string("empty"), std::string(".hidden"), std::string("huge"),
                                  std::string("../outside"), (root_ / "outside").string()}) {
    EXPECT_FALSE(trace.LoadVCATrace(name)) << name;
    EXPECT_EQ(trace.GetVCATracePacket(name), "") << name;
    EXPECT_EQ(std::pair(trace.VCATracePacket(), trace.DBL()), std::pair(std::string(), 18.0)) << name;
  }
}

}  // namespace lumora

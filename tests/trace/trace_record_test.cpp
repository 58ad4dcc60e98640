// Processing a packet into record values, and loading a trace file.
#include "trace/core/trace_record.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "temp_folder.h"
#include "trace_packets.h"

namespace lumora {
using namespace lumora::testing;

TEST(Curves, OneCurveFillsBothElseTheDepthsGiveItElseSix) {
  const std::string circle = circlePacket(400, 2500);
  const std::pair<std::string, double> cases[] = {
      {"FRCV=4.25;4.00\n" + circle, 4.00}, {"FCRV=4.25;4.5\n" + circle, 4.5},
      {"FRCV=5\nFCRV=4.5\n" + circle, 5.0}, {"BEVC=5.5\n" + circle, 5.5}, {circle, 6.0},
      {eyeRecords('R', repeated("2500", 400), repeated("200", 400)), 530 / 157.25},  // chord 50, sagitta 2
      {eyeRecords('R', repeated("2500", 400), repeated("1e160", 400)), 6.0}};  // mended: the sphere overflowed to a curve of 0
  for (const auto& [packet, curve] : cases) {
    const auto trace = processed(packet);
    EXPECT_NEAR(trace.frameCurve(Side::Left), curve, 1e-12) << packet.substr(0, 20);
    EXPECT_NEAR(trace.bevelCurve(Side::Left), curve, 1e-12) << packet.substr(0, 20);
  }
}

// Each packet in turn: a value that is not a whole decimal number keeps the previous one.
TEST(DistanceBetweenLenses, OnlyAWholeDecimalNumberReplacesThePreviousValue) {
  const std::pair<const char*, double> steps[] = {
      {"DBL= 17 \n", 17}, {"DBL=18,5\n", 17}, {"DBL=18.5mm\n", 17}, {"DBL=?\n", 17}, {"JOB=1\n", 17}, {"DBL=nan\n", 17},
      {"DBL=1e999\n", 17}, {"DBL=+-18.5\n", 17}, {"DBL=+18.5\n", 18.5}, {"DBL=-5\n", -5.0}, {"DBL=\t.5 \n", 0.5}};
  TraceRecord trace;
  for (const auto& [packet, dbl] : steps) {
    trace.process(packet);
    EXPECT_EQ(trace.distanceBetweenLenses(), dbl) << packet;
  }
}

TEST(FormatLines, BothEyesBecomeRightAndLeftAndTheLastLineWins) {
  auto both = processed("TRCFMT=1;400;E;B;F\n" + valueLines("R=", repeated("2500", 400)));
  EXPECT_EQ(both.traceFormat(Side::Right) + " " + both.traceFormat(Side::Left), "TRCFMT=1;400;E;R;F TRCFMT=1;400;E;L;F");
  EXPECT_EQ(processed("trcfmt=1;100;e;r;f\nTRCFMT=1;200;E;R;F\nR=1\n").traceFormat(Side::Right), "TRCFMT=1;200;E;R;F");
}

// Mended fault: absurd numbers give finite results.
TEST(Processing, AbsurdNumbersGiveFiniteResults) {
  auto trace = processed("DBL=1e308\nFRCV=nan\n" + eyeRecords('R', repeated("1e308", 400), repeated("1e308", 400)));
  for (Side side : kBothSides)
    for (double v : {trace.boxWidth(side), trace.boxHeight(side), trace.circumference(side),
                     trace.effectiveDiameter(side), trace.frameCurve(side)})
      EXPECT_TRUE(std::isfinite(v));
}

// Mended fault: a record processed again keeps nothing of the earlier packet but DBL (the
// declared counts of a side without a format used to stay).
TEST(Processing, ARecordProcessedAgainEqualsAFreshOneButForDbl) {
  const std::string next = "JOB=2\nR=2500\n";
  TraceRecord reused;
  reused.process("DBL=17\n_SHLFFMT=1;3;E;B;F\n_S=1;2;3\n" + circlePacket(400, 2500));
  reused.process(next);
  const TraceRecord fresh = processed(next);
  for (Side side : kBothSides) {
    auto summary = [&](const TraceRecord& t) {
      return std::tuple(t.radiusCount(side), t.zCount(side), t.sCount(side), t.traceFormat(side),
                        t.listText(DataList::Radii, side, Orientation::AsRightEye),
                        t.listText(DataList::SValues, side, Orientation::AsTraced), t.boxWidth(side), t.frameCurve(side));
    };
    EXPECT_EQ(summary(reused), summary(fresh));
  }
  EXPECT_EQ(reused.distanceBetweenLenses(), 17);
}

// Only a visible, non-empty file of the folder is loaded, and none too large to be a trace
// (mended fault: a 1 GB file took 3 GB of memory); a failed load empties the packet and
// leaves the other values.
TEST(Load, LoadsOnlyAVisibleNonEmptyFileOfTheFolder) {
  const TempFolder root("lumora-trace");
  ASSERT_FALSE(root.path().empty());
  std::filesystem::create_directory(root.file("save"));
  root.write("save/1001", "JOB=1001\r\nDBL=18\r\n" + circlePacket(400, 2500, "R"));
  root.write("save/empty", "");
  root.write("save/.hidden", "JOB=1");
  root.write("save/huge", "JOB=3\r\n");
  std::filesystem::resize_file(root.file("save/huge"), std::uintmax_t{17} << 20);
  root.write("outside", "JOB=2");
  const std::string folder = root.file("save").string();
  TraceRecord trace;
  EXPECT_EQ(trace.load(folder, "1001"), std::nullopt);
  EXPECT_EQ(std::pair(trace.boxWidth(Side::Right), trace.packet().substr(0, 9)), std::pair(50.0, std::string("JOB=1001\n")));
  // Mended fault: a path given as the name no longer reads a file outside the folder.
  for (const std::string& name :
       std::vector<std::string>{"absent", "empty", ".hidden", "huge", "../outside", root.file("outside").string()}) {
    EXPECT_NE(trace.load(folder, name), std::nullopt) << name;
    EXPECT_EQ(std::pair(trace.packet(), trace.distanceBetweenLenses()), std::pair(std::string(), 18.0)) << name;
  }
  EXPECT_EQ(trace.load(folder, "../outside")->text, "the trace name \"../outside\" contains a path separator");
}

}  // namespace lumora

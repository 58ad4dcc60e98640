// Rebuilding traces with a new B: whole packets, saved trace files, and the geometry behind
// it (the tracer software's intersection rule and its fast search).
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "base/core/file_read.h"
#include "base/core/number_text.h"
#include "temp_folder.h"
#include "trace/core/degrees.h"
#include "trace/core/resize_side.h"
#include "trace_packets.h"

namespace lumora {
namespace {
using namespace lumora::testing;
using namespace lumora::detail;
namespace fs = std::filesystem;

// A right eye of 400 radii of 25 mm with the records around them, CR LF line ends; the
// records whose labels only resemble a box record pass unchanged.
const std::string kCircle = "REQ=TRC\r\nJOB=\"J7\"\r\nTRCFMT=1;400;E;R;F\r\n" +
                            valueLines("R=", repeated("2500", 400), "\r\n") +
                            "A=0.9;1.8\r\nZFMT=1;2;E;R;F\r\nZ=10;20\r\nhbox=9\r\nXHBOX=3\r\nR =4\r\nHBOX=49.00;49.00\r\n"
                            "VBOX=48;48\r\nCIRC=1;1\r\nFED=1;1\r\nFEDAX=7;7\r\nDBL=18.5";

std::string record(const std::string& packet, const std::string& label) {
  const auto at = packet.find("\n" + label);
  if (at == std::string::npos) return "<missing>";
  return packet.substr(at + 1 + label.size(), packet.find('\n', at + 1) - at - 1 - label.size());
}

// A rectangle of half sizes w x h mm, as a tracer would send it: 400 radii in whole
// hundredths. Its long flat edges meet the rays near their ends, where the rule misses.
std::vector<std::string> rectangleRadii(double w, double h) {
  std::vector<std::string> radii;
  for (int i = 0; i < 400; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / 400;
    radii.push_back(formatNumber(std::min(w / std::fabs(std::cos(a)), h / std::fabs(std::sin(a))) * 100, "#####0"));
  }
  return radii;
}

TEST(RebuildWithNewB, CircleGetsNewBoxRecordsForBothEyesAndLineFeeds) {
  // The rays step by 0.01745 rad a degree, so the last chord closes a wider gap: 399 x 0.39 + 0.42.
  EXPECT_EQ(rebuildWithNewB(kCircle, Stretch::None, 0),
            "REQ=TRC\nJOB=\"J7\"\nTRCFMT=1;400;E;R;F\n" + valueLines("R=", repeated("2500", 400)) +
                "A=0.9;1.8\nZFMT=1;2;E;R;F\nZ=10;20\nhbox=9\nXHBOX=3\nR =4\nHBOX=50.00;50.00\nVBOX=50.00;50.00\n"
                "CIRC=156.03;156.03\nFED=50.00;50.00\nFEDAX=0.00;0.00\nDBL=18.5\n");
  const std::string stretched = *rebuildWithNewB(kCircle, Stretch::LowerHalf, 52);
  EXPECT_EQ((std::vector{record(stretched, "HBOX="), record(stretched, "VBOX="), record(stretched, "CIRC="),
                         record(stretched, "FED="), record(stretched, "FEDAX=")}),
            (std::vector<std::string>{"50.00;50.00", "52.00;52.00", "160.33;160.33", "52.00;52.00", "94.00;94.00"}));
}

// Each eye's format line is followed by its own radii; a packet without radii gets question
// marks, an empty one nothing.
TEST(RebuildWithNewB, EachFormatLineIsFollowedByItsOwnEyesRadii) {
  const std::string packet = eyeRecords('R', repeated("2500", 400)) + eyeRecords('L', repeated("2400", 400)) + "HBOX=1;1";
  const auto rebuilt = rebuildWithNewB(packet, Stretch::None, 0);
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;R;F\nR=2500;"), std::string::npos);
  EXPECT_NE(rebuilt->find("TRCFMT=1;400;E;L;F\nR=2400;"), std::string::npos);
  EXPECT_EQ(record(*rebuilt, "HBOX="), "50.00;48.00");
  EXPECT_EQ(rebuildWithNewB("JOB=1\nTRCFMT=1;400;E;R;F\nHBOX=50;50", Stretch::None, 0),
            "JOB=1\nTRCFMT=1;400;E;R;F\n\nHBOX=?;?\n");
  EXPECT_EQ(rebuildWithNewB("", Stretch::LowerHalf, 52), std::nullopt);
}

// Mended faults: a B of 0 (radii of 0.1 hundredths at 90 and 270 degrees) cannot be
// stretched, and absurd numbers never give "nan" or "inf" records.
TEST(RebuildWithNewB, AZeroBOrAbsurdNumbersLeaveTheOutlineUnstretched) {
  const std::string zeroHigh = "TRCFMT=1;4;E;R;F\nR=2500;0.1;2500;0.1\nVBOX=0;0";
  EXPECT_EQ(rebuildWithNewB(zeroHigh, Stretch::LowerHalf, 52), rebuildWithNewB(zeroHigh, Stretch::None, 0));
  const std::string packet = "TRCFMT=1;6;E;R;F\nR=1e308;2500;nan;1e308;inf;2500;1e-300;900\nHBOX=1;1\nVBOX=1;1";
  for (double newB : {52.0, 1e308, -1e308}) {
    const auto rebuilt = rebuildWithNewB(packet, Stretch::LowerHalf, newB);
    EXPECT_EQ(rebuilt->find_first_of("afi"), std::string::npos) << *rebuilt;
    EXPECT_LT(record(*rebuilt, "HBOX=").size(), 40u);
  }
}

// Mended fault: a ray that the rule missed on every edge used to come back as radius 0.
TEST(RebuildWithNewB, EveryRayOfAFlatEdgedOutlineMeetsIt) {
  const auto rebuilt = rebuildWithNewB(eyeRecords('R', rectangleRadii(20, 12)), Stretch::None, 0);
  const auto radii = processed(*rebuilt).radii(Side::Right, Orientation::AsTraced);
  ASSERT_EQ(radii.size(), 400u);  // a radius of 0 is not taken back
  EXPECT_GT(*std::min_element(radii.begin(), radii.end()), 1000);
}

// The saved trace is read from one folder and its rebuilt copy replaces the file of the same
// name in the other; a trace that does not load writes nothing. Mended faults: the rebuild
// normalised the loaded packet's line ends a second time, which took out more of a long run
// of blank lines than the file's own resize does; "../J7" was read from the save folder's
// parent and written beside the output folder.
TEST(RebuildSavedTrace, WritesTheRebuiltTraceOnlyForASafeSavedTrace) {
  const TempFolder root("lumora-trace");
  ASSERT_FALSE(root.path().empty());
  fs::create_directories(root.file("save/sub"));
  fs::create_directories(root.file("out"));
  const std::string saved = "REQ=FIL" + std::string(100001, '\n') + kCircle;
  root.write("save/J7", saved);
  root.write("out/J7", kCircle + kCircle);  // an earlier, longer copy
  const std::string save = root.file("save").string(), out = root.file("out").string();
  TraceRecord trace;
  EXPECT_EQ(trace.rebuildSavedTrace(save, "J7", Stretch::LowerHalf, 52, out), std::nullopt);
  EXPECT_EQ(readFileText(root.file("out/J7").string()), *rebuildWithNewB(saved, Stretch::LowerHalf, 52));
  EXPECT_EQ(trace.boxHeight(Side::Right), 50.0);  // the record holds the trace as loaded
  fs::remove(root.file("out/J7"));
  root.write("save/EMPTY", "");
  for (const char* name : {"J8", "EMPTY"}) EXPECT_NE(trace.rebuildSavedTrace(save, name, Stretch::None, 0, out), std::nullopt);
  EXPECT_NE(trace.rebuildSavedTrace(root.file("save/sub").string(), "../J7", Stretch::None, 0, out), std::nullopt);
  EXPECT_TRUE(fs::is_empty(root.file("out")));
  EXPECT_FALSE(fs::exists(root.file("J7")));
  // A missing output folder is not created.
  EXPECT_NE(trace.rebuildSavedTrace(save, "J7", Stretch::None, 0, root.file("gone").string()), std::nullopt);
  EXPECT_FALSE(fs::exists(root.file("gone")));
}

TEST(IntersectSegments, FollowsTheTracerSoftwaresRule) {
  const struct { const char* what; TracePoint p1, p2, p3, p4; std::optional<TracePoint> hit; } cases[] = {
      {"two diagonals", {0, 0}, {10, 10}, {0, 10}, {10, 0}, TracePoint{5, 5}},
      {"apart", {0, 0}, {1, 1}, {5, 0}, {6, 2}, std::nullopt},
      {"vertical B nudged to start at x 4.0001", {0, 0}, {10, 5}, {4, -10}, {4, 10}, TracePoint{4.00004, 2.00002}},
      {"vertical A", {0, 0}, {0, 10}, {-5, 5}, {5, 6}, TracePoint{0, 5.5}},
      {"nearly flat B gives the y of its start", {0, 0}, {10, 10}, {0, 5}, {10, 5.0005}, TracePoint{5.00025, 5}},
      {"the true crossing (5, 5) moved 0.0009 lower", {0, 0}, {10, 10}, {4, 4.9991}, {5, 5}, std::nullopt},
      {"overflow", {0, 0}, {100, 0}, {1e308, -1e308}, {-1e308, 1e308}, std::nullopt},
      {"overflow near vertical", {0, 0}, {100, 1}, {50, -1e308}, {50.00001, 1e308}, std::nullopt}};
  for (const auto& c : cases) {
    const TracePoint i = intersectSegments(c.p1, c.p2, c.p3, c.p4), expected = c.hit.value_or(kNoIntersectionPoint);
    EXPECT_NEAR(i.x, expected.x, 1e-6) << c.what;
    EXPECT_NEAR(i.y, expected.y, 1e-6) << c.what;
  }
  // Mended fault: coordinates whose squares overflow still have a finite distance.
  EXPECT_NEAR(pointDistance({1e200, 0}, {0, 1e200}) / 1e200, std::sqrt(2.0), 1e-12);
}

// ruleHit skips edges beyond the rule's reach: it must answer as trying every edge does, on
// a flat rectangle and on a rough ellipse (radii jittered by up to 1.5 mm).
TEST(RuleHit, AnswersAsTryingEveryEdgeDoes) {
  std::vector<std::vector<double>> outlines{valuesOf(rectangleRadii(20, 12)), {}};
  for (int i = 0; i < 128; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / 128;
    outlines[1].push_back(std::round(100 / std::hypot(std::cos(a) / 25, std::sin(a) / 14)) + (i * 7919 % 301) - 150);
  }
  for (const auto& radii : outlines) {
    const Outline outline = outlineFromRadii(radii);
    const std::size_t n = radii.size();
    for (std::size_t i = 0; i < n; ++i) {
      const double a = (360.0 / static_cast<double>(n)) * static_cast<double>(i) * kResizeDegToRad;
      const TracePoint rayEnd{100 * std::cos(a), 100 * std::sin(a)};
      const TracePoint fast = ruleHit(rayEnd, outline).value_or(kNoIntersectionPoint);
      TracePoint everyEdge = kNoIntersectionPoint;
      for (std::size_t j = 0; j < n && !isHit(everyEdge); ++j)
        everyEdge = intersectSegments({0, 0}, rayEnd, {outline.x[j], outline.y[j]},
                                      {outline.x[(j + 1) % n], outline.y[(j + 1) % n]});
      EXPECT_EQ(std::pair(fast.x, fast.y), std::pair(everyEdge.x, everyEdge.y)) << "ray " << i << " of " << n;
    }
  }
}

}  // namespace
}  // namespace lumora

// The geometry of the frame resizing, one side at a time, and the packet rebuild.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "packets.h"
#include "trace/core/numtext.h"
#include "trace/core/resize_geometry.h"
#include "trace/core/resize_side.h"
#include "trace/core/text_util.h"

namespace lumora::detail {
namespace {
using lumora::testing::Numbered;
using lumora::testing::Repeated;

// A rectangle of half sizes w x h mm, as a tracer would send it: 400 radii in whole
// hundredths. Its long flat edges meet the rays near their ends, where the rule misses.
std::vector<std::string> RectangleRadii(double w, double h) {
  std::vector<std::string> radii;
  for (int i = 0; i < 400; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / 400;
    radii.push_back(formatNumber(std::min(w / std::fabs(std::cos(a)), h / std::fabs(std::sin(a))) * 100, "#####0"));
  }
  return radii;
}

TracePoint RayEnd(std::size_t i, std::size_t n) {
  const double a = (360.0 / static_cast<double>(n)) * static_cast<double>(i) * kResizeDegToRad;
  return {100 * std::cos(a), 100 * std::sin(a)};
}

TEST(PointDistance, IsEuclideanAndStaysFiniteWhereTheSquaresOverflow) {
  EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {3, 4}), 5.0);
  EXPECT_NEAR(PointDistance({1e200, 0}, {0, 1e200}) / 1e200, std::sqrt(2.0), 1e-12);
}

TEST(IntersectSegments, FollowsTheTracerSoftwaresRule) {
  const struct { const char* what; TracePoint P1, P2, P3, P4; std::optional<TracePoint> hit; } cases[] = {
      {"two diagonals", {0, 0}, {10, 10}, {0, 10}, {10, 0}, TracePoint{5, 5}},
      {"apart", {0, 0}, {1, 1}, {5, 0}, {6, 2}, std::nullopt},
      {"vertical B nudged to start at x 4.0001", {0, 0}, {10, 5}, {4, -10}, {4, 10}, TracePoint{4.00004, 2.00002}},
      {"vertical A", {0, 0}, {0, 10}, {-5, 5}, {5, 6}, TracePoint{0, 5.5}},
      {"nearly flat B gives the Y of its start", {0, 0}, {10, 10}, {0, 5}, {10, 5.0005}, TracePoint{5.00025, 5}},
      {"the true crossing (5, 5) moved 0.0009 lower", {0, 0}, {10, 10}, {4, 4.9991}, {5, 5}, std::nullopt},
      {"overflow", {0, 0}, {100, 0}, {1e308, -1e308}, {-1e308, 1e308}, std::nullopt},
      {"overflow near vertical", {0, 0}, {100, 1}, {50, -1e308}, {50.00001, 1e308}, std::nullopt},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TracePoint I = IntersectSegments(c.P1, c.P2, c.P3, c.P4);
    ASSERT_EQ(IsHit(I), c.hit.has_value());
    const TracePoint expected = c.hit.value_or(NoIntersectionPoint);
    EXPECT_NEAR(I.X, expected.X, 1e-6);
    EXPECT_NEAR(I.Y, expected.Y, 1e-6);
  }
}

TEST(ExactSegmentCrossing, IncludesTheEndsAndRejectsParallelOrApartSegments) {
  const auto atEnd = ExactSegmentCrossing({0, 0}, {10, 10}, {4, 4.9991}, {5, 5});
  EXPECT_TRUE(atEnd && std::fabs(atEnd->X - 5) < 1e-9 && std::fabs(atEnd->Y - 5) < 1e-9);
  EXPECT_TRUE(ExactSegmentCrossing({0, 0}, {10, 0}, {10, -1}, {10, 1}).has_value());
  EXPECT_TRUE(ExactSegmentCrossing({0, 0}, {10, 0}, {5, 0}, {5, -1}).has_value());
  EXPECT_FALSE(ExactSegmentCrossing({0, 0}, {10, 0}, {0, 1}, {10, 1}).has_value());
  EXPECT_FALSE(ExactSegmentCrossing({0, 0}, {10, 0}, {11, -1}, {11, 1}).has_value());
}

TEST(CenterOnBox, MovesTheBoxCentreRoundedToFourDecimalsToTheOrigin) {
  auto centred = [](std::vector<double> X) {
    std::vector<double> Y(X);
    CenterOnBox(X, Y);
    EXPECT_EQ(X, Y);
    return X;
  };
  EXPECT_EQ(centred({1, 3, 2}), (std::vector<double>{-1, 1, 0}));
  EXPECT_EQ(centred({0, 0.00003}), (std::vector<double>{0, 0.00003}));
  EXPECT_EQ(centred({-2000, -1500}), (std::vector<double>{-500, 0}));  // extremes start at -1000 / +1000
}

TEST(FormatRadiusLines, PutsTenWholeNumbersOnALine) {
  EXPECT_EQ(FormatRadiusLines("R=", Numbered(25), "\n"),
            "R=1;2;3;4;5;6;7;8;9;10\nR=11;12;13;14;15;16;17;18;19;20\nR=21;22;23;24;25");
  EXPECT_EQ(FormatRadiusLines("", {"", "0", "2500.5", "?"}, "\r\n"), "R=0;0;2501;0");
}

TEST(StretchLowerHalf, MovesPointsBelowTheAxisUnlessTheStretchCannotBeComputed) {
  const std::vector<double> stretched{10, 0, -13.5, -27};
  std::vector<double> Y{10, 0, -12.5, -25};
  StretchLowerHalf(Y, 50, 52);
  EXPECT_EQ(Y, stretched);
  // A B of 0, a stretch beyond any number, no number: the outline stays as it is.
  for (auto [measuredB, newB] : {std::pair{0.0, 52.0}, std::pair{1e-300, 1e300}, std::pair{50.0, std::nan("")}}) {
    StretchLowerHalf(Y, measuredB, newB);
    EXPECT_EQ(Y, stretched) << measuredB << " to " << newB;
  }
}

TEST(ResizeSide, FedaxIsTheSupplementOfThePeakAngleModulo180) {
  // Two opposite radii of 2600 on a 2500 circle keep the box centred; the first is the peak.
  for (auto [peak, fedax] : {std::pair{0, "0.00"}, std::pair{100, "90.00"}, std::pair{50, "135.00"}}) {
    auto radii = Repeated("2500", 400);
    radii[static_cast<std::size_t>(peak)] = radii[static_cast<std::size_t>(peak) + 200] = "2600";
    EXPECT_EQ(ResizeSide(radii, 52, 0, 0).fedax, fedax) << peak;
  }
}

TEST(ResizeSide, OutlineBeyondTheRaysGivesZeroRadiiWrittenAsZero) {
  const ResizedSide side = ResizeSide(Repeated("15000", 20), 300, 0, 0);
  EXPECT_EQ(side.radiusLines, "R=0;0;0;0;0;0;0;0;0;0\nR=0;0;0;0;0;0;0;0;0;0");
  EXPECT_EQ(side.hbox, ".00");
  EXPECT_EQ(side.fed, ".00");
}

// Mended fault: a ray that the rule missed on every edge used to come back as radius 0.
TEST(ResizeSide, RayMissedByTheFlatEdgeShortcutTakesTheExactCrossing) {
  const auto radii = RectangleRadii(20, 12);
  std::vector<double> X, Y;
  OutlineFromRadii(radii, X, Y);
  CenterOnBox(X, Y);
  ASSERT_FALSE(RuleHit(RayEnd(45, 400), X, Y).has_value());  // ray 45 reaches the top edge
  const auto exact = ExactHit(RayEnd(45, 400), X, Y);
  ASSERT_TRUE(exact.has_value());
  std::string list = ResizeSide(radii, 24, 0, 0).radiusLines.substr(2);
  for (auto at = list.find("\nR="); at != std::string::npos; at = list.find("\nR=")) list.replace(at, 3, ";");
  const auto values = Values(SplitFields(list, ';'));
  ASSERT_EQ(values.size(), 400u);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_GT(values[i], 1000) << "ray " << i;
  EXPECT_EQ(values[45], std::round(std::hypot(exact->X, exact->Y) * 100));
}

// RuleHit skips edges beyond the rule's reach: it must answer as trying every edge does.
TEST(RuleHit, SkipsOnlyEdgesThatCannotBeAccepted) {
  // A flat rectangle and a rough ellipse (radii jittered by up to 1.5 mm).
  std::vector<std::vector<std::string>> outlines{RectangleRadii(20, 12), {}};
  for (int i = 0; i < 128; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / 128;
    const double r = 1 / std::sqrt(std::pow(std::cos(a) / 25, 2) + std::pow(std::sin(a) / 14, 2));
    outlines[1].push_back(formatNumber(r * 100 + (i * 7919 % 301) - 150, "#####0"));
  }
  for (const auto& radii : outlines) {
    std::vector<double> X, Y;
    OutlineFromRadii(radii, X, Y);
    for (std::size_t i = 0; i < radii.size(); ++i) {
      const TracePoint rayEnd = RayEnd(i, radii.size());
      std::optional<TracePoint> everyEdge;
      for (std::size_t j = 0; j < X.size() && !everyEdge; ++j) {
        const std::size_t k = (j + 1) % X.size();
        const TracePoint I = IntersectSegments({0, 0}, rayEnd, {X[j], Y[j]}, {X[k], Y[k]});
        if (IsHit(I)) everyEdge = I;
      }
      const auto fast = RuleHit(rayEnd, X, Y);
      ASSERT_EQ(fast.has_value(), everyEdge.has_value()) << "ray " << i;
      EXPECT_TRUE(!fast || (fast->X == everyEdge->X && fast->Y == everyEdge->Y)) << "ray " << i;
    }
  }
}

ResizedSide Marked(const std::string& mark) {
  return {mark + "H", mark + "V", mark + "F", mark + "X", mark + "C", "R=" + mark + "1\nR=" + mark + "2"};
}

TEST(RebuildPacketText, ReplacesBoxRecordsAndRadiusLinesPerSide) {
  const struct { std::string packet; std::array<std::optional<ResizedSide>, 2> sides; std::string expected; } cases[] = {
      {"JOB=7\nTRCFMT=1;3;E;R;F\nR=1;2;3\nA=0;120;240\nTRCFMT=1;3;E;L;F\nR=4;5;6\n"
       "HBOX=1;2\nVBOX=1;2\nCIRC=1;2\nFED=1;2\nFEDAX=1;2\nZ=5;5;5",
       {Marked("r"), Marked("l")},
       "JOB=7\nTRCFMT=1;3;E;R;F\nR=r1\nR=r2\nA=0;120;240\nTRCFMT=1;3;E;L;F\nR=l1\nR=l2\n"
       "HBOX=rH;lH\nVBOX=rV;lV\nCIRC=rC;lC\nFED=rF;lF\nFEDAX=rX;lX\nZ=5;5;5\n"},
      // a side without result: "?" and no radius lines
      {"TRCFMT=1;3;E;L;F\nHBOX=1;2\n", {Marked("r"), std::nullopt}, "TRCFMT=1;3;E;L;F\n\nHBOX=rH;?\n\n"},
      // labels compare exactly
      {"hbox=1;2\nXHBOX=3\nR =4\nNOLABEL\nr=5", {}, "hbox=1;2\nXHBOX=3\nR =4\nNOLABEL\nr=5\n"},
  };
  for (const auto& c : cases) EXPECT_EQ(RebuildPacketText(c.packet, c.sides), c.expected);
}

}  // namespace
}  // namespace lumora::detail

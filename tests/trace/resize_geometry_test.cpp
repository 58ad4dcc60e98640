// The geometry of the frame resizing, one side at a time, and the packet rebuild.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "trace/core/numtext.h"
#include "trace/core/resize_geometry.h"
#include "trace/core/resize_side.h"

namespace lumora::detail {
namespace {

std::vector<std::string> Radii(std::size_t n, const std::string& radius) {
  return std::vector<std::string>(n, radius);
}

// A rectangle of half sizes w x h mm, as a tracer would send it: 400 radii in whole
// hundredths. Its long flat edges meet the rays near their ends, where the rule misses.
std::vector<std::string> RectangleRadii(double w, double h) {
  std::vector<std::string> radii;
  for (int i = 0; i < 400; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / 400;
    const double r = std::min(w / std::fabs(std::cos(a)), h / std::fabs(std::sin(a)));
    radii.push_back(formatNumber(r * 100, "#####0"));
  }
  return radii;
}

// The values of "R=" lines joined by LF.
std::vector<std::string> ValuesOf(const std::string& lines) {
  std::vector<std::string> values;
  std::string field;
  for (char c : lines + "\n") {
    if (c == ';' || c == '\n') {
      values.push_back(field);
      field.clear();
    } else if (c != '=' && c != 'R') {
      field += c;
    }
  }
  return values;
}

TracePoint RayEnd(std::size_t i, std::size_t n) {
  const double a = (360.0 / static_cast<double>(n)) * static_cast<double>(i) * kResizeDegToRad;
  return {100 * std::cos(a), 100 * std::sin(a)};
}

TEST(PointDistance, IsTheEuclideanDistance) {
  EXPECT_DOUBLE_EQ(PointDistance({0, 0}, {3, 4}), 5.0);
  EXPECT_DOUBLE_EQ(PointDistance({-1, 2}, {-1, 2}), 0.0);
}

TEST(PointDistance, StaysFiniteWhereTheSquaresOverflow) {
  const double d = PointDistance({1e200, 0}, {0, 1e200});
  EXPECT_TRUE(std::isfinite(d));
  EXPECT_NEAR(d / 1e200, std::sqrt(2.0), 1e-12);
}

TEST(IntersectSegments, FindsTheCrossingOfTwoDiagonals) {
  const TracePoint I = IntersectSegments({0, 0}, {10, 10}, {0, 10}, {10, 0});
  EXPECT_NEAR(I.X, 5, 1e-9);
  EXPECT_NEAR(I.Y, 5, 1e-9);
}

TEST(IntersectSegments, AnswersTheNoIntersectionPointForApartSegments) {
  const TracePoint I = IntersectSegments({0, 0}, {1, 1}, {5, 0}, {6, 2});
  EXPECT_FALSE(IsHit(I));
  EXPECT_EQ(I.X, -1.123456);
  EXPECT_EQ(I.Y, -1.123456);
}

TEST(IntersectSegments, NudgesAVerticalSecondSegment) {
  const TracePoint I = IntersectSegments({0, 0}, {10, 5}, {4, -10}, {4, 10});
  ASSERT_TRUE(IsHit(I));
  EXPECT_NEAR(I.X, 4.00004, 1e-9);  // the segment runs from x 4.0001 (y -10) to x 4 (y 10)
  EXPECT_NEAR(I.Y, 2.0, 1e-4);
}

TEST(IntersectSegments, HandlesAVerticalFirstSegment) {
  const TracePoint I = IntersectSegments({0, 0}, {0, 10}, {-5, 5}, {5, 6});
  ASSERT_TRUE(IsHit(I));
  EXPECT_DOUBLE_EQ(I.X, 0.0);
  EXPECT_NEAR(I.Y, 5.5, 1e-4);
}

TEST(IntersectSegments, TakesYFromTheStartOfANearlyFlatSegment) {
  const TracePoint I = IntersectSegments({0, 0}, {10, 10}, {0, 5}, {10, 5.0005});
  ASSERT_TRUE(IsHit(I));
  EXPECT_EQ(I.Y, 5.0);
}

TEST(IntersectSegments, ShortcutMissesACrossingAtTheEndOfAFlatSegment) {
  // The true crossing is (5, 5), the end of segment B; the shortcut puts it 0.0009 lower.
  const TracePoint A1{0, 0}, A2{10, 10}, B1{4, 4.9991}, B2{5, 5};
  EXPECT_FALSE(IsHit(IntersectSegments(A1, A2, B1, B2)));
  const auto exact = ExactSegmentCrossing(A1, A2, B1, B2);
  ASSERT_TRUE(exact.has_value());
  EXPECT_NEAR(exact->X, 5, 1e-9);
  EXPECT_NEAR(exact->Y, 5, 1e-9);
}

TEST(IntersectSegments, NeverCountsOverflowingArithmeticAsAHit) {
  EXPECT_FALSE(IsHit(IntersectSegments({0, 0}, {100, 0}, {1e308, -1e308}, {-1e308, 1e308})));
  EXPECT_FALSE(IsHit(IntersectSegments({0, 0}, {100, 1}, {50, -1e308}, {50.00001, 1e308})));
}

TEST(ExactSegmentCrossing, IncludesTheEndsAndRejectsParallelOrApartSegments) {
  const auto atEnd = ExactSegmentCrossing({0, 0}, {10, 0}, {10, -1}, {10, 1});
  ASSERT_TRUE(atEnd.has_value());
  EXPECT_DOUBLE_EQ(atEnd->X, 10.0);
  EXPECT_FALSE(ExactSegmentCrossing({0, 0}, {10, 0}, {0, 1}, {10, 1}).has_value());
  EXPECT_FALSE(ExactSegmentCrossing({0, 0}, {10, 0}, {11, -1}, {11, 1}).has_value());
}

TEST(CenterOnBox, MovesTheBoxCentreToTheOrigin) {
  std::vector<double> X{1, 3, 2}, Y{2, 6, 4};
  const BoxSize box = CenterOnBox(X, Y);
  EXPECT_EQ(X, (std::vector<double>{-1, 1, 0}));
  EXPECT_EQ(Y, (std::vector<double>{-2, 2, 0}));
  EXPECT_DOUBLE_EQ(box.width, 2.0);
  EXPECT_DOUBLE_EQ(box.height, 4.0);
}

TEST(CenterOnBox, ExtremesStartAtMinusAndPlusAThousand) {
  std::vector<double> X{-2000, -1500}, Y{0, 0};
  const BoxSize box = CenterOnBox(X, Y);
  EXPECT_DOUBLE_EQ(box.width, 1000.0);  // the maximum stays at -1000
  EXPECT_EQ(X, (std::vector<double>{-500, 0}));
}

TEST(CenterOnBox, RoundsTheCentreToFourDecimals) {
  std::vector<double> X{0, 0.00003}, Y{0, 0};
  CenterOnBox(X, Y);
  EXPECT_EQ(X, (std::vector<double>{0, 0.00003}));
}

TEST(FormatRadiusLines, PutsTenWholeNumbersOnALine) {
  std::vector<std::string> values;
  for (int i = 1; i <= 25; ++i) values.push_back(std::to_string(i));
  EXPECT_EQ(FormatRadiusLines("R=", values, "\n"),
            "R=1;2;3;4;5;6;7;8;9;10\nR=11;12;13;14;15;16;17;18;19;20\nR=21;22;23;24;25");
}

TEST(FormatRadiusLines, WritesZeroAndEmptyAsZeroAndRoundsToWholeNumbers) {
  EXPECT_EQ(FormatRadiusLines("", {"", "0", "2500.5", "?"}, "\r\n"), "R=0;0;2501;0");
}

TEST(FormatRadiusLines, EndsWithoutLineEndAfterAFullLine) {
  const std::string lines = FormatRadiusLines("Z=", Radii(20, "7"), "|");
  EXPECT_EQ(lines, "Z=7;7;7;7;7;7;7;7;7;7|Z=7;7;7;7;7;7;7;7;7;7");
}

TEST(StretchLowerHalf, MovesTheLowestPointDownByTheDifference) {
  std::vector<double> Y{10, 0, -12.5, -25};
  StretchLowerHalf(Y, 50, 52);
  EXPECT_EQ(Y, (std::vector<double>{10, 0, -13.5, -27}));
}

TEST(StretchLowerHalf, LeavesTheShapeWhenBIsZero) {
  std::vector<double> Y{1, -0.001};
  StretchLowerHalf(Y, 0, 52);
  EXPECT_EQ(Y, (std::vector<double>{1, -0.001}));
}

TEST(StretchLowerHalf, LeavesTheShapeWhenTheStretchWouldOverflow) {
  std::vector<double> Y{1, -25};
  StretchLowerHalf(Y, 1e-300, 1e300);
  EXPECT_EQ(Y, (std::vector<double>{1, -25}));
  StretchLowerHalf(Y, 50, std::nan(""));
  EXPECT_EQ(Y, (std::vector<double>{1, -25}));
}

TEST(ResizeSide, CircleComesBackWithTheSameRadiiAndChordRoundedCircumference) {
  const ResizedSide side = ResizeSide(Radii(400, "2500"), 50, 0, 0);
  for (const auto& v : ValuesOf(side.radiusLines)) ASSERT_EQ(v, "2500");
  EXPECT_EQ(ValuesOf(side.radiusLines).size(), 400u);
  EXPECT_EQ(side.hbox, "50.00");
  EXPECT_EQ(side.vbox, "50.00");
  EXPECT_EQ(side.fed, "50.00");
  EXPECT_EQ(side.fedax, "0.00");
  const double circ = value(side.circ);
  EXPECT_NEAR(circ, 156.0, 0.2);  // each 0.3927 mm chord counts as 0.39
  EXPECT_LT(circ, 157.0);
}

TEST(ResizeSide, WritesFortyLinesOfTenForFourHundredRadii) {
  const std::string lines = ResizeSide(Radii(400, "2500"), 50, 0, 0).radiusLines;
  const std::string full = "R=2500;2500;2500;2500;2500;2500;2500;2500;2500;2500";
  std::string expected = full;
  for (int i = 1; i < 40; ++i) expected += "\n" + full;
  EXPECT_EQ(lines, expected);
}

TEST(ResizeSide, StretchToNewBMovesTheLowerHalfOnly) {
  const ResizedSide side = ResizeSide(Radii(400, "2500"), 50, 1, 52);
  EXPECT_EQ(side.vbox, "52.00");
  EXPECT_EQ(side.hbox, "50.00");
}

TEST(ResizeSide, StretchToTheMeasuredBLeavesTheShape) {
  const ResizedSide plain = ResizeSide(Radii(400, "2500"), 50, 0, 0);
  const ResizedSide same = ResizeSide(Radii(400, "2500"), 50, 1, 50);
  EXPECT_EQ(same.radiusLines, plain.radiusLines);
  EXPECT_EQ(same.vbox, plain.vbox);
}

TEST(ResizeSide, StretchWithZeroBLeavesTheShapeUnstretched) {
  const auto radii = RectangleRadii(20, 12);
  const ResizedSide plain = ResizeSide(radii, 24, 0, 0);
  const ResizedSide stretched = ResizeSide(radii, 0, 1, 52);
  EXPECT_EQ(stretched.radiusLines, plain.radiusLines);
  EXPECT_EQ(stretched.vbox, plain.vbox);
}

// Two opposite radii of 2600 on a 2500 circle keep the box centred; the first one is the
// largest radius.
std::string FedaxWithPeakAt(std::size_t index) {
  auto radii = Radii(400, "2500");
  radii[index] = radii[index + 200] = "2600";
  return ResizeSide(radii, 52, 0, 0).fedax;
}

TEST(ResizeSide, FedaxIsTheSupplementOfThePeakAngleModulo180) {
  EXPECT_EQ(FedaxWithPeakAt(0), "0.00");
  EXPECT_EQ(FedaxWithPeakAt(100), "90.00");
  EXPECT_EQ(FedaxWithPeakAt(50), "135.00");
}

TEST(ResizeSide, OutlineBeyondTheRaysGivesZeroRadiiWrittenAsZero) {
  const ResizedSide side = ResizeSide(Radii(20, "15000"), 300, 0, 0);
  EXPECT_EQ(side.radiusLines, "R=0;0;0;0;0;0;0;0;0;0\nR=0;0;0;0;0;0;0;0;0;0");
  EXPECT_EQ(side.hbox, ".00");
  EXPECT_EQ(side.fed, ".00");
}

TEST(ResizeSide, RayMissedByTheFlatEdgeShortcutTakesTheExactCrossing) {
  const auto radii = RectangleRadii(20, 12);
  std::vector<double> X, Y;
  OutlineFromRadii(radii, X, Y);
  CenterOnBox(X, Y);
  // The fault shows on this outline: ray 45 reaches the top edge, yet the rule finds nothing.
  ASSERT_FALSE(RuleHit(RayEnd(45, 400), X, Y).has_value());
  const auto exact = ExactHit(RayEnd(45, 400), X, Y);
  ASSERT_TRUE(exact.has_value());
  EXPECT_NEAR(exact->Y, 12.0, 0.01);

  const auto values = ValuesOf(ResizeSide(radii, 24, 0, 0).radiusLines);
  ASSERT_EQ(values.size(), 400u);
  for (std::size_t i = 0; i < values.size(); ++i) EXPECT_GT(value(values[i]), 1000) << "ray " << i;
  EXPECT_EQ(values[45], formatNumber(std::hypot(exact->X, exact->Y) * 100, "#####0"));
}

// The first edge that the rule accepts, trying every edge in order.
std::optional<TracePoint> RuleHitOnEveryEdge(const TracePoint& rayEnd, const std::vector<double>& X,
                                             const std::vector<double>& Y) {
  for (std::size_t j = 0; j < X.size(); ++j) {
    const std::size_t k = (j + 1) % X.size();
    const TracePoint I = IntersectSegments({0, 0}, rayEnd, {X[j], Y[j]}, {X[k], Y[k]});
    if (IsHit(I)) return I;
  }
  return std::nullopt;
}

TEST(RuleHit, SkipsOnlyEdgesThatCannotBeAccepted) {
  // A flat rectangle and a rough ellipse (radii jittered by up to 1.5 mm) off centre.
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
      const auto fast = RuleHit(RayEnd(i, radii.size()), X, Y);
      const auto slow = RuleHitOnEveryEdge(RayEnd(i, radii.size()), X, Y);
      ASSERT_EQ(fast.has_value(), slow.has_value()) << "ray " << i;
      if (fast) {
        EXPECT_TRUE(fast->X == slow->X && fast->Y == slow->Y) << "ray " << i;
      }
    }
  }
}

TEST(ResizeSide, AbsurdRadiiGiveOnlyFiniteRecords) {
  const ResizedSide side = ResizeSide({"1e308", "2500", "1e308", "2500", "1e-300"}, 1e300, 1, 1e308);
  for (const std::string& text : {side.hbox, side.vbox, side.fed, side.fedax, side.circ, side.radiusLines}) {
    EXPECT_EQ(text.find("nan"), std::string::npos) << text;
    EXPECT_EQ(text.find("inf"), std::string::npos) << text;
    EXPECT_LT(text.size(), 200u) << text;
  }
}

ResizedSide Marked(const std::string& mark) {
  return {mark + "H", mark + "V", mark + "F", mark + "X", mark + "C", "R=" + mark + "1\nR=" + mark + "2"};
}

TEST(RebuildPacketText, ReplacesBoxRecordsAndRadiusLinesPerSide) {
  const std::string packet =
      "JOB=7\nTRCFMT=1;3;E;R;F\nR=1;2;3\nA=0;120;240\nTRCFMT=1;3;E;L;F\nR=4;5;6\n"
      "HBOX=1;2\nVBOX=1;2\nCIRC=1;2\nFED=1;2\nFEDAX=1;2\nZ=5;5;5";
  const std::string rebuilt = RebuildPacketText(packet, {Marked("r"), Marked("l")});
  EXPECT_EQ(rebuilt,
            "JOB=7\nTRCFMT=1;3;E;R;F\nR=r1\nR=r2\nA=0;120;240\nTRCFMT=1;3;E;L;F\nR=l1\nR=l2\n"
            "HBOX=rH;lH\nVBOX=rV;lV\nCIRC=rC;lC\nFED=rF;lF\nFEDAX=rX;lX\nZ=5;5;5\n");
}

TEST(RebuildPacketText, WritesQuestionMarksAndEmptyLinesForSidesNotProcessed) {
  const std::string rebuilt = RebuildPacketText("TRCFMT=1;3;E;L;F\nHBOX=1;2\n", {Marked("r"), std::nullopt});
  EXPECT_EQ(rebuilt, "TRCFMT=1;3;E;L;F\n\nHBOX=rH;?\n\n");
}

TEST(RebuildPacketText, ComparesLabelsExactly) {
  const std::string packet = "hbox=1;2\nXHBOX=3\nR =4\nNOLABEL\nr=5";
  EXPECT_EQ(RebuildPacketText(packet, {std::nullopt, std::nullopt}), packet + "\n");
}

}  // namespace
}  // namespace lumora::detail

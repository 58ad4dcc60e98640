// The geometry of the frame resizing: the tracer software's intersection rule, its fast
// search, box centring and the re-sampled records of one side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "packets.h"
#include "base/core/number_text.h"
#include "trace/core/resize_geometry.h"
#include "trace/core/resize_side.h"
#include "base/core/ascii_text.h"

namespace lumora::detail {
namespace {
using namespace lumora::testing;

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

TEST(IntersectSegments, FollowsTheTracerSoftwaresRule) {
  const struct { const char* what; TracePoint P1, P2, P3, P4; std::optional<TracePoint> hit; } cases[] = {
      {"two diagonals", {0, 0}, {10, 10}, {0, 10}, {10, 0}, TracePoint{5, 5}},
      {"apart", {0, 0}, {1, 1}, {5, 0}, {6, 2}, std::nullopt},
      {"vertical B nudged to start at x 4.0001", {0, 0}, {10, 5}, {4, -10}, {4, 10}, TracePoint{4.00004, 2.00002}},
      {"vertical A", {0, 0}, {0, 10}, {-5, 5}, {5, 6}, TracePoint{0, 5.5}},
      {"nearly flat B gives the Y of its start", {0, 0}, {10, 10}, {0, 5}, {10, 5.0005}, TracePoint{5.00025, 5}},
      {"the true crossing (5, 5) moved 0.0009 lower", {0, 0}, {10, 10}, {4, 4.9991}, {5, 5}, std::nullopt},
      {"overflow", {0, 0}, {100, 0}, {1e308, -1e308}, {-1e308, 1e308}, std::nullopt},
      {"overflow near vertical", {0, 0}, {100, 1}, {50, -1e308}, {50.00001, 1e308}, std::nullopt}};
  for (const auto& c : cases) {
    const TracePoint I = IntersectSegments(c.P1, c.P2, c.P3, c.P4), expected = c.hit.value_or(NoIntersectionPoint);
    EXPECT_NEAR(I.X, expected.X, 1e-6) << c.what;
    EXPECT_NEAR(I.Y, expected.Y, 1e-6) << c.what;
  }
}

// Mended fault: coordinates whose squares overflow still have a finite distance.
TEST(PointDistance, StaysFiniteWhereTheSquaresOverflow) {
  EXPECT_NEAR(PointDistance({1e200, 0}, {0, 1e200}) / 1e200, std::sqrt(2.0), 1e-12);
}

// RuleHit skips edges beyond the rule's reach: it must answer as trying every edge does, on
// a flat rectangle and on a rough ellipse (radii jittered by up to 1.5 mm).
TEST(RuleHit, AnswersAsTryingEveryEdgeDoes) {
  std::vector<std::vector<std::string>> outlines{RectangleRadii(20, 12), {}};
  for (int i = 0; i < 128; ++i) {
    const double a = 2 * 3.14159265358979323846 * i / 128;
    outlines[1].push_back(formatNumber(100 / std::hypot(std::cos(a) / 25, std::sin(a) / 14) + (i * 7919 % 301) - 150, "#####0"));
  }
  for (const auto& radii : outlines) {
    std::vector<double> X, Y;
    OutlineFromRadii(radii, X, Y);
    const std::size_t n = radii.size();
    for (std::size_t i = 0; i < n; ++i) {
      const double a = (360.0 / static_cast<double>(n)) * static_cast<double>(i) * kResizeDegToRad;
      const TracePoint rayEnd{100 * std::cos(a), 100 * std::sin(a)}, fast = RuleHit(rayEnd, X, Y).value_or(NoIntersectionPoint);
      TracePoint everyEdge = NoIntersectionPoint;
      for (std::size_t j = 0; j < n && !IsHit(everyEdge); ++j)
        everyEdge = IntersectSegments({0, 0}, rayEnd, {X[j], Y[j]}, {X[(j + 1) % n], Y[(j + 1) % n]});
      EXPECT_EQ(std::pair(fast.X, fast.Y), std::pair(everyEdge.X, everyEdge.Y)) << "ray " << i << " of " << n;
    }
  }
}

// Mended fault: a ray that the rule missed on every edge used to come back as radius 0.
TEST(ResizeSide, EveryRayOfAFlatEdgedOutlineMeetsIt) {
  const auto rebuilt = RebuildWithNewB(EyeRecords('R', RectangleRadii(20, 12)), 0, 0);
  const auto radii = valuesOf(splitFields(Processed(*rebuilt).VCA_RadianString(0), ';'));
  ASSERT_EQ(radii.size(), 400u);  // a radius of 0 is not taken back
  EXPECT_GT(*std::min_element(radii.begin(), radii.end()), 1000);
}

// The box centre, rounded to 4 decimals, moves to the origin; the extremes start at
// -1000 / +1000 mm, so points beyond them do not widen the box.
TEST(CenterOnBox, MovesTheRoundedBoxCentreToTheOrigin) {
  const struct { std::vector<double> X, centred; } cases[] = {
      {{1, 3, 2}, {-1, 1, 0}}, {{0, 0.00003}, {0, 0.00003}}, {{-2000, -1500}, {-500, 0}}};
  for (auto [X, centred] : cases) {
    std::vector<double> Y = X;
    CenterOnBox(X, Y);
    EXPECT_EQ(X, centred);
    EXPECT_EQ(Y, centred);
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

}  // namespace
}  // namespace lumora::detail

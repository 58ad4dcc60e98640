// Measuring an outline, and the base curve from its depths.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "packets.h"
#include "trace/core/numtext.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
// Box width and height, circumference, effective diameter and its axis of one side.
std::vector<double> measure(int side, const std::vector<std::string>& radii) {
  PerSide<double> a{}, b{}, c{}, ed{}, eda{};
  clsVCATrace().OMAMeasureTrace(side, radii, a, b, c, ed, eda);
  const auto s = static_cast<std::size_t>(side < 0 || side > 1 ? 0 : side);
  return {a[s], b[s], c[s], ed[s], eda[s]};
}
}  // namespace

// The axis is that of the first largest radius; the left eye mirrors X but measures the same.
TEST(Measure, EffectiveDiameterAxisFromTheFirstLargestRadius) {
  std::vector<std::string> radii = Repeated("2500", 400);
  radii[300] = "2600";
  EXPECT_EQ(std::pair(measure(0, radii)[3], measure(0, radii)[4]), std::pair(52.0, 90.0));  // 270 degrees
  radii[50] = "2600";
  EXPECT_EQ(measure(0, radii)[4], 45);
  EXPECT_EQ(measure(1, Numbered(400, 2000)), measure(0, Numbered(400, 2000)));
}

// Points are measured two at a time where the processor allows; the result must be that of
// one point at a time round the outline, wherever the extremes fall and whatever the count.
TEST(Measure, BoxAndCircumferenceAreThoseOfOnePointAtATime) {
  std::mt19937 random(7);
  for (std::size_t n : {1, 2, 3, 4, 5, 8, 9, 399, 400}) {
    for (int round = 0; round < 20; ++round) {
      std::vector<std::string> radii;
      std::vector<double> values;
      for (std::size_t i = 0; i < n; ++i) {
        values.push_back(static_cast<double>(random() % 4000) - 500);
        radii.push_back(std::to_string(static_cast<int>(values.back())));
      }
      double minX = 1000, minY = 1000, maxX = 0, maxY = 0, perimeter = 0, lastX = 0, lastY = 0;
      for (std::size_t i = 0; i <= n; ++i) {
        const double angle = 360.0 * static_cast<double>(i % n) / static_cast<double>(n) * DegToRad();
        const double x = i % n == 0 ? values[0] / 100 : values[i] / 100 * std::cos(angle);
        const double y = i % n == 0 ? 0 : values[i] / 100 * std::sin(angle);
        if (i > 0) perimeter += std::sqrt((x - lastX) * (x - lastX) + (y - lastY) * (y - lastY));
        minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
        lastX = x, lastY = y;
      }
      const std::vector<double> m = measure(0, radii);
      EXPECT_EQ(m[0], roundHalfEven(maxX - minX, 2)) << n;
      EXPECT_EQ(m[1], roundHalfEven(maxY - minY, 2)) << n;
      EXPECT_EQ(m[2], roundHalfEven(perimeter, 2)) << n;
      const auto largest = std::max_element(values.begin(), values.end());
      EXPECT_EQ(m[3], roundHalfEven(2 * *largest / 100, 2)) << n;
    }
  }
}

TEST(Measure, BoxExtremesStartAtZeroAndNothingIsMeasuredWithoutRadiiOrSide) {
  EXPECT_EQ(measure(0, {"-1000", "1000", "1000"})[0], 10);  // points at x -10, -5, -5 mm: the box reaches x = 0
  EXPECT_EQ(measure(0, {}), std::vector<double>(5, 0.0));
  EXPECT_EQ(measure(2, Repeated("2500", 400)), std::vector<double>(5, 0.0));
}

// 530 / radius of the sphere through the deepest opposite pair: chord c and sagitta s give
// radius ((c / 2)^2 + s^2) / 2s; at most 15, and 6 when the lists cannot be used.
TEST(FrameBase, TheDeepestOppositePairGivesTheCurve) {
  // `n` radii of 20 mm at depth 1 mm, points a and b changed to the given radii and depth.
  auto outline = [](std::size_t n, std::size_t a, const char* ra, std::size_t b, const char* rb, const char* z,
                    std::size_t zCount) {
    auto radii = Repeated("2000", n), depths = Repeated("100", zCount);
    radii[a] = ra, radii[b] = rb, depths[a] = depths[b] = z;
    return EyeRecords('R', radii, depths);
  };
  const std::pair<std::string, double> cases[] = {
      {outline(400, 0, "2500", 200, "2500", "200", 400), 530 / ((625.0 + 4) / 4)},
      {outline(10, 2, "3000", 7, "1000", "300", 10), 530 / ((400.0 + 9) / 6)},
      // n = 11: point 0 pairs with 6 (round(5.5) = 6), 1 with 7, 2 with 8, ..., 5 with 10; never 0 with 5
      {outline(11, 0, "1000", 5, "3000", "500", 11), 530 / ((225.0 + 9) / 6)},
      {outline(400, 0, "2500", 200, "2500", "2000", 400), 15.0},
      {outline(400, 0, "2500", 200, "2500", "200", 399), 6.0},
      {outline(9, 0, "2500", 4, "2500", "200", 9), 6.0},
      {EyeRecords('R', Repeated("2500", 400)), 6.0}};
  for (const auto& [packet, curve] : cases) EXPECT_NEAR(Processed(packet).ComputeFramebase(0), curve, 1e-12);
  EXPECT_EQ(clsVCATrace().ComputeFramebase(5), 6.0);
}

}  // namespace lumora

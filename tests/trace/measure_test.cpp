// Measuring an outline, and the base curve from its depths.
#include <gtest/gtest.h>

#include "packets.h"
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

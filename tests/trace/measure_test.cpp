// Measuring an outline, and the base curve from its depths.
#include "trace/core/measure.h"

#include <gtest/gtest.h>

#include "base/core/number_text.h"
#include "trace_packets.h"

namespace lumora {
using namespace lumora::testing;

namespace {
// Box width and height, circumference, effective diameter and its axis of one eye.
std::vector<double> measure(Side side, const std::vector<double>& radii) {
  const OutlineMeasurement m = measureOutline(radii, side, detail::equiangularDirections(radii.size()));
  return {m.boxWidth, m.boxHeight, m.circumference, m.effectiveDiameter, m.effectiveDiameterAngle};
}
}  // namespace

// The axis is that of the first largest radius; the left eye mirrors X but measures the
// same. The box extremes start at 0, so an outline wholly left of the centre reaches x = 0.
TEST(Measure, EffectiveDiameterAxisFromTheFirstLargestRadiusAndTheBoxFromZero) {
  std::vector<double> radii(400, 2500);
  radii[300] = 2600;
  EXPECT_EQ(std::pair(measure(Side::Right, radii)[3], measure(Side::Right, radii)[4]), std::pair(52.0, 90.0));  // 270 degrees
  radii[50] = 2600;
  EXPECT_EQ(measure(Side::Right, radii)[4], 45);
  const std::vector<double> rising = valuesOf(numbered(400, 2000));
  EXPECT_EQ(measure(Side::Left, rising), measure(Side::Right, rising));
  EXPECT_EQ(measure(Side::Right, {-1000, 1000, 1000})[0], 10);  // points at x -10, -5, -5 mm
  EXPECT_EQ(measure(Side::Right, {}), std::vector<double>(5, 0.0));
}

// Each eye is measured with directions for its own number of radii, a synthesised one too;
// what the radii measure overwrites the box records. An eye without radii has no outline.
TEST(Measure, EachEyeOfAPacketIsMeasuredOverItsOwnRadii) {
  const std::string records = "HBOX=10;10\nVBOX=10;10\nCIRC=10;10\n";
  const auto t = processed(records + eyeRecords('R', repeated("2500", 400)) + eyeRecords('L', repeated("2000", 10)));
  const auto oneEyed = processed(records + circlePacket(400, 2500, "R"));
  EXPECT_EQ((std::vector{t.boxWidth(Side::Right), t.circumference(Side::Right), t.boxWidth(Side::Left),
                         t.boxHeight(Side::Left), t.circumference(Side::Left), oneEyed.boxHeight(Side::Left),
                         oneEyed.circumference(Side::Left)}),
            (std::vector{50.0, 157.08, 40.0, 38.04, 123.61, 50.0, 157.08}));  // 10 radii miss 90 degrees
  const auto none = processed("JOB=1\nR=2500;2500\n");
  EXPECT_FALSE(none.hasOutline(Side::Right) || none.hasOutline(Side::Left));
}

// 530 / radius of the sphere through the deepest opposite pair: chord c and sagitta s give
// radius ((c / 2)^2 + s^2) / 2s; at most 15, and 6 when the lists cannot be used.
TEST(BaseCurve, TheDeepestOppositePairGivesTheCurve) {
  // `n` radii of 20 mm at depth 1 mm, points a and b changed to the given radii and depth.
  auto outline = [](std::size_t n, std::size_t a, const char* ra, std::size_t b, const char* rb, const char* z,
                    std::size_t zCount) {
    auto radii = repeated("2000", n), depths = repeated("100", zCount);
    radii[a] = ra, radii[b] = rb, depths[a] = depths[b] = z;
    return eyeRecords('R', radii, depths);
  };
  const std::pair<std::string, double> cases[] = {
      {outline(400, 0, "2500", 200, "2500", "200", 400), 530 / ((625.0 + 4) / 4)},
      {outline(10, 2, "3000", 7, "1000", "300", 10), 530 / ((400.0 + 9) / 6)},
      // n = 11: point 0 pairs with 6 (round(5.5) = 6), 1 with 7, 2 with 8, ..., 5 with 10; never 0 with 5
      {outline(11, 0, "1000", 5, "3000", "500", 11), 530 / ((225.0 + 9) / 6)},
      {outline(400, 0, "2500", 200, "2500", "2000", 400), 15.0},
      {outline(400, 0, "2500", 200, "2500", "200", 399), 6.0}, {outline(9, 0, "2500", 4, "2500", "200", 9), 6.0},
      {eyeRecords('R', repeated("2500", 400)), 6.0}};
  for (const auto& [packet, curve] : cases) EXPECT_NEAR(processed(packet).baseCurve(Side::Right), curve, 1e-12);
}

}  // namespace lumora

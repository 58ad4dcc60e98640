#include <gtest/gtest.h>

#include "packets.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
struct Measured {
  PerSide<double> a{}, b{}, c{}, ed{}, eda{};
};
Measured measure(int side, const std::vector<std::string>& radii) {
  Measured m;
  clsVCATrace().OMAMeasureTrace(side, radii, m.a, m.b, m.c, m.ed, m.eda);
  return m;
}
}  // namespace

TEST(Measure, CircleOfFourHundredRadii) {
  const auto m = measure(0, Repeated("2500", 400));
  EXPECT_DOUBLE_EQ(m.a[0], 50.0);
  EXPECT_DOUBLE_EQ(m.b[0], 50.0);
  EXPECT_DOUBLE_EQ(m.ed[0], 50.0);
  EXPECT_DOUBLE_EQ(m.c[0], 157.08);
  EXPECT_DOUBLE_EQ(m.eda[0], 0);
  EXPECT_EQ(m.a[1], 0);  // the other side is untouched
}

TEST(Measure, LeftSideMirrorsXButMeasuresTheSame) {
  const auto right = measure(0, Numbered(400, 2000)), left = measure(1, Numbered(400, 2000));
  EXPECT_EQ(Shared().MirrorSign, -1);
  EXPECT_DOUBLE_EQ(left.a[1], right.a[0]);
  EXPECT_DOUBLE_EQ(left.b[1], right.b[0]);
  EXPECT_DOUBLE_EQ(left.eda[1], right.eda[0]);
}

TEST(Measure, EffectiveDiameterAxisFromTheFirstLargestRadius) {
  std::vector<std::string> radii = Repeated("2500", 400);
  radii[300] = "2600";
  EXPECT_DOUBLE_EQ(measure(0, radii).eda[0], 90);  // 270 degrees
  EXPECT_DOUBLE_EQ(measure(0, radii).ed[0], 52);
  radii[50] = "2600";
  EXPECT_DOUBLE_EQ(measure(0, radii).eda[0], 45);
}

TEST(Measure, BoxExtremesStartAtZeroNotAtTheFirstPoint) {
  // Points at x -10, -5 and -5 mm: the box still reaches x = 0.
  EXPECT_DOUBLE_EQ(measure(0, {"-1000", "1000", "1000"}).a[0], 10);
}

TEST(Measure, NoRadiiOrASideOutsideZeroToOneMeasureNothing) {
  EXPECT_EQ(measure(0, {}).c[0], 0);
  const auto m = measure(2, Repeated("2500", 400));
  EXPECT_EQ(m.a[0], 0);
  EXPECT_EQ(m.a[1], 0);
}

}  // namespace lumora

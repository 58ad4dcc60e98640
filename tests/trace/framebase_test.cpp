#include <gtest/gtest.h>

#include "packets.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
// `n` radii of 20 mm at depth 1 mm, with the given points changed: {index, radius, depth}.
struct Point {
  std::size_t index;
  const char *radius, *depth;
};
std::string outline(std::size_t n, std::initializer_list<Point> changed, std::size_t zCount = 0) {
  auto radii = Repeated("2000", n), z = Repeated("100", zCount ? zCount : n);
  for (const Point& p : changed) radii[p.index] = p.radius, z[p.index] = p.depth;
  return EyeRecords('R', radii, z);
}
}  // namespace

// 530 / radius of the sphere through the deepest opposite pair: chord c, sagitta s give
// radius ((c / 2)^2 + s^2) / 2s; at most 15, and 6 when the lists cannot be used.
TEST(FrameBase, TheDeepestOppositePairGivesTheCurve) {
  const struct {
    const char* what;
    std::string packet;
    double expected;
  } cases[] = {
      {"circle on a sphere", EyeRecords('R', Repeated("2500", 400), Repeated("200", 400)), 530 / 157.25},
      {"ten points, 2 and 7", outline(10, {{2, "3000", "300"}, {7, "1000", "300"}}), 530 / ((400.0 + 9) / 6)},
      // n = 11: the opposite of 0 is round(5.5) = 6, not 5
      {"odd count", outline(11, {{0, "1000", "500"}, {6, "3000", "500"}}), 530 / ((400.0 + 25) / 10)},
      {"cut to fifteen", EyeRecords('R', Repeated("2500", 400), Repeated("2000", 400)), 15.0},
      {"no depths", EyeRecords('R', Repeated("2500", 400)), 6.0},
      {"a depth short", outline(400, {}, 399), 6.0},
      {"nine points", outline(9, {}), 6.0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_NEAR(Processed(c.packet).ComputeFramebase(0), c.expected, 1e-12);
  }
  EXPECT_EQ(clsVCATrace().ComputeFramebase(0), 6.0);
  EXPECT_EQ(clsVCATrace().ComputeFramebase(5), 6.0);
}

}  // namespace lumora

// The walk round an outline takes several points at a time where the processor allows; each
// walker must give, to the last bit, what one point at a time round the outline gives.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <tuple>

#include "trace/core/outline_walk.h"
#include "trace/core/shared_values.h"
#include "trace/core/simd.h"

namespace lumora::detail {
namespace {

// Box, circumference and largest radius read straight from the rule, point by point.
auto onePointAtATime(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  double minX = 1000, minY = 1000, maxX = 0, maxY = 0, perimeter = 0, lastX = 0, lastY = 0;
  for (std::size_t i = 0; i <= n; ++i) {
    const double angle = 360.0 * static_cast<double>(i % n) / static_cast<double>(n) * DegToRad();
    const double x = i % n == 0 ? radii[0] / 100 * sign : radii[i] / 100 * std::cos(angle) * sign;
    const double y = i % n == 0 ? 0 : radii[i] / 100 * std::sin(angle);
    if (i > 0) perimeter += std::sqrt((x - lastX) * (x - lastX) + (y - lastY) * (y - lastY));
    minX = std::min(minX, x), minY = std::min(minY, y), maxX = std::max(maxX, x), maxY = std::max(maxY, y);
    lastX = x, lastY = y;
  }
  return std::tuple(minX, minY, maxX, maxY, perimeter, *std::max_element(radii.begin(), radii.end()));
}

}  // namespace

TEST(OutlineWalk, EveryWalkerGivesWhatOnePointAtATimeGives) {
  std::vector<std::pair<const char*, OutlineWalk (*)(const std::vector<double>&, double)>> walkers{
      {"two at a time", WalkOutline}};
  if (WideInstructions()) walkers.emplace_back("four at a time", WalkOutlineWide);
  std::mt19937 random(7);
  for (std::size_t n : {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 399, 400, 401, 402}) {
    for (int round = 0; round < 30; ++round) {
      std::vector<double> radii(n);
      for (double& r : radii) r = static_cast<double>(random() % 400000) / 100 - 500;  // some below 0
      const double sign = round % 2 ? -1 : 1;
      const auto expected = onePointAtATime(radii, sign);
      for (const auto& [name, walk] : walkers) {
        const OutlineWalk w = walk(radii, sign);
        EXPECT_EQ(std::tuple(w.box.MinX, w.box.MinY, w.box.MaxX, w.box.MaxY, w.perimeter, w.largestRadius), expected)
            << name << ", " << n << " radii";
      }
    }
  }
}

}  // namespace lumora::detail

#include "trace/core/outline_walk.h"

#include <algorithm>
#include <cmath>

#include "trace/core/degrees.h"

namespace lumora::detail {
namespace {

double stepLength(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

}  // namespace

Directions equiangularDirections(std::size_t n) {
  Directions table;
  table.cos.resize(n);
  table.sin.resize(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double angle = 360.0 * static_cast<double>(i) / static_cast<double>(n) * kDegToRad;
    table.cos[i] = std::cos(angle);
    table.sin[i] = std::sin(angle);
  }
  return table;
}

OutlineWalk walkOutline(const std::vector<double>& radii, double sign, const Directions& directions) {
  OutlineWalk walk;
  double lastX = radii[0] / 100 * sign, lastY = 0;
  walk.box.add(lastX, lastY);
  walk.largestRadius = radii[0];
  for (std::size_t i = 1; i < radii.size(); ++i) {
    const double x = radii[i] / 100 * directions.cos[i] * sign, y = radii[i] / 100 * directions.sin[i];
    walk.perimeter += stepLength(x - lastX, y - lastY);
    walk.box.add(x, y);
    walk.largestRadius = std::max(walk.largestRadius, radii[i]);
    lastX = x, lastY = y;
  }
  walk.perimeter += stepLength(radii[0] / 100 * sign - lastX, -lastY);
  return walk;
}

}  // namespace lumora::detail

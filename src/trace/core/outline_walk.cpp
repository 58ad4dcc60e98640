#include "trace/core/outline_walk.h"

#include <algorithm>
#include <cmath>

#include "trace/core/shared_values.h"
#include "trace/core/simd.h"

namespace lumora::detail {
namespace {

double stepLength(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

}  // namespace

// Kept for the last n, since every trace of a tracer has the same number of radii.
const Directions& EquiangularDirections(std::size_t n) {
  thread_local Directions table;
  if (table.cos.size() != n) {
    table.cos.resize(n);
    table.sin.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      const double angle = 360.0 * static_cast<double>(i) / static_cast<double>(n) * DegToRad();
      table.cos[i] = std::cos(angle);
      table.sin[i] = std::sin(angle);
    }
  }
  return table;
}

void AddLanes(const Lanes& lanes, std::size_t count, OutlineWalk& walk) {
  for (std::size_t lane = 0; lane < count; ++lane) {
    walk.box.add(OutlineBox{lanes.minX[lane], lanes.minY[lane], lanes.maxX[lane], lanes.maxY[lane]});
    walk.largestRadius = std::max(walk.largestRadius, lanes.largest[lane]);
  }
}

void FinishWalk(const std::vector<double>& radii, double sign, std::size_t next, double lastX, double lastY,
                OutlineWalk& walk) {
  const Directions& directions = EquiangularDirections(radii.size());
  for (std::size_t i = next; i < radii.size(); ++i) {
    const double x = radii[i] / 100 * directions.cos[i] * sign, y = radii[i] / 100 * directions.sin[i];
    walk.perimeter += stepLength(x - lastX, y - lastY);
    walk.box.add(x, y);
    walk.largestRadius = std::max(walk.largestRadius, radii[i]);
    lastX = x, lastY = y;
  }
  walk.perimeter += stepLength(radii[0] / 100 * sign - lastX, -lastY);
}

OutlineWalk WalkOutline(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  OutlineWalk walk;
  double lastX = radii[0] / 100 * sign, lastY = 0;
  walk.box.add(lastX, lastY);
  walk.largestRadius = radii[0];
  std::size_t i = 1;
#if LUMORA_SSE2
  const Directions& directions = EquiangularDirections(n);
  const OutlineBox start;
  __m128d maxX = _mm_set1_pd(start.MaxX), minX = _mm_set1_pd(start.MinX);
  __m128d maxY = _mm_set1_pd(start.MaxY), minY = _mm_set1_pd(start.MinY);
  __m128d largest = _mm_set1_pd(radii[0]);
  __m128d lastXs = _mm_set1_pd(lastX), lastYs = _mm_set1_pd(lastY);
  for (; i + 2 <= n; i += 2) {
    const __m128d r = _mm_loadu_pd(radii.data() + i);
    const __m128d mm = _mm_div_pd(r, _mm_set1_pd(100));
    const __m128d x = _mm_mul_pd(_mm_mul_pd(mm, _mm_loadu_pd(directions.cos.data() + i)), _mm_set1_pd(sign));
    const __m128d y = _mm_mul_pd(mm, _mm_loadu_pd(directions.sin.data() + i));
    const __m128d dx = _mm_sub_pd(x, _mm_shuffle_pd(lastXs, x, 1));  // x[i] - x[i-1], x[i+1] - x[i]
    const __m128d dy = _mm_sub_pd(y, _mm_shuffle_pd(lastYs, y, 1));
    double steps[2];
    _mm_storeu_pd(steps, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy))));
    walk.perimeter += steps[0];
    walk.perimeter += steps[1];
    maxX = _mm_max_pd(x, maxX), minX = _mm_min_pd(x, minX);  // x > max ? x : max, as one at a time
    maxY = _mm_max_pd(y, maxY), minY = _mm_min_pd(y, minY);
    largest = _mm_max_pd(r, largest);
    lastXs = x, lastYs = y;
  }
  Lanes lanes;
  _mm_storeu_pd(lanes.maxX, maxX), _mm_storeu_pd(lanes.minX, minX);
  _mm_storeu_pd(lanes.maxY, maxY), _mm_storeu_pd(lanes.minY, minY);
  _mm_storeu_pd(lanes.largest, largest);
  AddLanes(lanes, 2, walk);
  _mm_storeh_pd(&lastX, lastXs), _mm_storeh_pd(&lastY, lastYs);
#endif
  FinishWalk(radii, sign, i, lastX, lastY, walk);
  return walk;
}

}  // namespace lumora::detail

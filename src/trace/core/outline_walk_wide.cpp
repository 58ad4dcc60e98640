// The outline walk four points at a time in 256-bit vectors: on processors whose divider and
// square root take four doubles as fast as two, the walk takes little more than its sum.
#include "trace/core/outline_walk.h"
#include "trace/core/simd.h"

namespace lumora::detail {

#if LUMORA_WIDE
namespace {

// (x[i-1], x[i], x[i+1], x[i+2]) from the last four points and these four.
LUMORA_WIDE_TARGET __m256d previousOf(__m256d last, __m256d these) {
  return _mm256_blend_pd(_mm256_permute4x64_pd(these, 0x90), _mm256_permute4x64_pd(last, 0xFF), 0b0001);
}

}  // namespace

LUMORA_WIDE_TARGET OutlineWalk WalkOutlineWide(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  const Directions& directions = EquiangularDirections(n);
  OutlineWalk walk;
  double lastX = radii[0] / 100 * sign, lastY = 0;
  walk.box.add(lastX, lastY);
  walk.largestRadius = radii[0];
  const OutlineBox start;
  __m256d maxX = _mm256_set1_pd(start.MaxX), minX = _mm256_set1_pd(start.MinX);
  __m256d maxY = _mm256_set1_pd(start.MaxY), minY = _mm256_set1_pd(start.MinY);
  __m256d largest = _mm256_set1_pd(radii[0]);
  __m256d lastXs = _mm256_set1_pd(lastX), lastYs = _mm256_set1_pd(lastY);
  std::size_t i = 1;
  for (; i + 4 <= n; i += 4) {
    const __m256d r = _mm256_loadu_pd(radii.data() + i);
    const __m256d mm = _mm256_div_pd(r, _mm256_set1_pd(100));
    const __m256d cos = _mm256_loadu_pd(directions.cos.data() + i);
    const __m256d x = _mm256_mul_pd(_mm256_mul_pd(mm, cos), _mm256_set1_pd(sign));
    const __m256d y = _mm256_mul_pd(mm, _mm256_loadu_pd(directions.sin.data() + i));
    const __m256d dx = _mm256_sub_pd(x, previousOf(lastXs, x));
    const __m256d dy = _mm256_sub_pd(y, previousOf(lastYs, y));
    double steps[4];
    _mm256_storeu_pd(steps, _mm256_sqrt_pd(_mm256_add_pd(_mm256_mul_pd(dx, dx), _mm256_mul_pd(dy, dy))));
    for (const double step : steps) walk.perimeter += step;
    maxX = _mm256_max_pd(x, maxX), minX = _mm256_min_pd(x, minX);  // x > max ? x : max, as one at a time
    maxY = _mm256_max_pd(y, maxY), minY = _mm256_min_pd(y, minY);
    largest = _mm256_max_pd(r, largest);
    lastXs = x, lastYs = y;
  }
  Lanes lanes;
  _mm256_storeu_pd(lanes.maxX, maxX), _mm256_storeu_pd(lanes.minX, minX);
  _mm256_storeu_pd(lanes.maxY, maxY), _mm256_storeu_pd(lanes.minY, minY);
  _mm256_storeu_pd(lanes.largest, largest);
  AddLanes(lanes, 4, walk);
  double lastPoints[4];
  _mm256_storeu_pd(lastPoints, lastXs), lastX = lastPoints[3];
  _mm256_storeu_pd(lastPoints, lastYs), lastY = lastPoints[3];
  FinishWalk(radii, sign, i, lastX, lastY, walk);
  return walk;
}
#else
OutlineWalk WalkOutlineWide(const std::vector<double>& radii, double sign) { return WalkOutline(radii, sign); }
#endif

}  // namespace lumora::detail

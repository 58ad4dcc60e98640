// Box size, circumference and effective diameter of one side from its equiangular radii.
#include <algorithm>
#include <cmath>

#include "trace/core/numtext.h"
#include "trace/core/outline_box.h"
#include "trace/core/shared_values.h"
#include "trace/core/simd.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

struct Directions {
  std::vector<double> cos, sin;
};

// cos and sin of 360 x i / n degrees; kept for the last n, since every trace of a tracer
// has the same number of radii.
const Directions& equiangularDirections(std::size_t n) {
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

struct Measurement {
  double a = 0, b = 0, c = 0, ed = 0, eda = 0;
};

// What one walk round the outline finds: its box, the steps from point to point summed in
// order back to the first, and the largest radius.
struct OutlineWalk {
  OutlineBox box;
  double perimeter = 0;
  double largestRadius = 0;
};

double stepLength(double dx, double dy) { return std::sqrt(dx * dx + dy * dy); }

// Walks the outline's points in mm: radii in hundredths of a mm, the first at angle 0;
// `sign` mirrors X for the left eye. Where the processor has vector instructions, two points
// are taken at a time: the same operations on each lane, the steps added in order, and the
// extremes kept per lane and combined at the end, so the result is that of one at a time.
OutlineWalk walkOutline(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  const Directions& directions = equiangularDirections(n);
  OutlineWalk walk;
  double lastX = radii[0] / 100 * sign, lastY = 0;
  walk.box.add(lastX, lastY);
  walk.largestRadius = radii[0];
  std::size_t i = 1;
#if LUMORA_SSE2
  OutlineBox lanes[2];
  __m128d maxX = _mm_set1_pd(lanes[0].MaxX), minX = _mm_set1_pd(lanes[0].MinX);
  __m128d maxY = _mm_set1_pd(lanes[0].MaxY), minY = _mm_set1_pd(lanes[0].MinY);
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
  double largestOfLanes[2];
  _mm_storeu_pd(largestOfLanes, largest);
  for (std::size_t lane = 0; lane < 2; ++lane) {
    _mm_storel_pd(&lanes[lane].MaxX, maxX), _mm_storel_pd(&lanes[lane].MinX, minX);
    _mm_storel_pd(&lanes[lane].MaxY, maxY), _mm_storel_pd(&lanes[lane].MinY, minY);
    maxX = _mm_unpackhi_pd(maxX, maxX), minX = _mm_unpackhi_pd(minX, minX);
    maxY = _mm_unpackhi_pd(maxY, maxY), minY = _mm_unpackhi_pd(minY, minY);
    walk.box.add(lanes[lane]);
    walk.largestRadius = std::max(walk.largestRadius, largestOfLanes[lane]);
  }
  _mm_storeh_pd(&lastX, lastXs), _mm_storeh_pd(&lastY, lastYs);
#endif
  for (; i < n; ++i) {
    const double x = radii[i] / 100 * directions.cos[i] * sign, y = radii[i] / 100 * directions.sin[i];
    walk.perimeter += stepLength(x - lastX, y - lastY);
    walk.box.add(x, y);
    walk.largestRadius = std::max(walk.largestRadius, radii[i]);
    lastX = x, lastY = y;
  }
  walk.perimeter += stepLength(radii[0] / 100 * sign - lastX, -lastY);
  return walk;
}

Measurement measureRadii(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  if (n == 0) return {};  // no radii: nothing to measure
  const OutlineWalk walk = walkOutline(radii, sign);
  const auto largestAt =
      static_cast<std::size_t>(std::find(radii.begin(), radii.end(), walk.largestRadius) - radii.begin());
  const double largestAngle = 360.0 * static_cast<double>(largestAt) / static_cast<double>(n);
  return {roundHalfEven(walk.box.width(), 2), roundHalfEven(walk.box.height(), 2),
          roundHalfEven(roundHalfEven(walk.perimeter, 2), 2), roundHalfEven(2 * radii[largestAt] / 100, 2),
          roundHalfEven(static_cast<double>(roundToWhole(largestAngle) % 180), 1)};
}

}  // namespace

void clsVCATrace::OMAMeasureTrace(int side, const std::vector<std::string>& RadArray, PerSide<double>& A,
                                  PerSide<double>& Bs, PerSide<double>& Cs, PerSide<double>& ED,
                                  PerSide<double>& EDA) const {
  if (!validSide(side)) return;
  Shared().MirrorSign = side == 0 ? 1 : -1;
  const Measurement m = measureRadii(Values(RadArray), Shared().MirrorSign);
  const auto s = static_cast<std::size_t>(side);
  A[s] = m.a, Bs[s] = m.b, Cs[s] = m.c, ED[s] = m.ed, EDA[s] = m.eda;
}

// Stores the side's measurement, each value rounded once more to 2 decimals; beeps when
// there is no usable outline.
void clsVCATrace::MeasureSide(int side) {
  SideData& sd = sides_[static_cast<std::size_t>(side)];
  Shared().MirrorSign = side == 0 ? 1 : -1;
  const Measurement m = measureRadii(sd.rxRadiusValues, Shared().MirrorSign);
  sd.a = roundHalfEven(m.a, 2);
  sd.b = roundHalfEven(m.b, 2);
  sd.c = roundHalfEven(m.c, 2);
  sd.ed = roundHalfEven(m.ed, 2);
  sd.eda = roundHalfEven(m.eda, 2);
  if (sd.a <= 0) SoundBeep();
}

}  // namespace lumora

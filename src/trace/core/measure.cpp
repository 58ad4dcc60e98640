// Box size, circumference and effective diameter of one side from its equiangular radii.
#include <cmath>
#include <memory>

#include "trace/core/numtext.h"
#include "trace/core/outline_box.h"
#include "trace/core/shared_values.h"
#include "trace/core/simd.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

struct Direction {
  double cos, sin;
};

// cos and sin of 360 x i / n degrees; kept for the last n, since every trace of a tracer
// has the same number of radii.
const std::vector<Direction>& equiangularDirections(std::size_t n) {
  thread_local std::vector<Direction> table;
  if (table.size() != n) {
    table.resize(n);
    for (std::size_t i = 0; i < n; ++i) {
      const double angle = 360.0 * static_cast<double>(i) / static_cast<double>(n) * DegToRad();
      table[i] = {std::cos(angle), std::sin(angle)};
    }
  }
  return table;
}

struct Measurement {
  double a = 0, b = 0, c = 0, ed = 0, eda = 0;
};

// The outline's points in mm: radii in hundredths of a mm, the first at angle 0; `sign`
// mirrors X for the left eye.
void outlinePoints(const std::vector<double>& radii, double sign, double* xs, double* ys) {
  const std::size_t n = radii.size();
  const Direction* const directions = equiangularDirections(n).data();
  xs[0] = radii[0] / 100 * sign, ys[0] = 0;
  for (std::size_t i = 1; i < n; ++i) {
    xs[i] = radii[i] / 100 * directions[i].cos * sign;
    ys[i] = radii[i] / 100 * directions[i].sin;
  }
}

OutlineBox boxAround(const double* xs, const double* ys, std::size_t n) {
  OutlineBox box;
  for (std::size_t i = 0; i < n; ++i) box.add(xs[i], ys[i]);
  return box;
}

// The step from point `from` to point `to`.
double stepBetween(const double* xs, const double* ys, std::size_t from, std::size_t to) {
  return std::sqrt((xs[to] - xs[from]) * (xs[to] - xs[from]) + (ys[to] - ys[from]) * (ys[to] - ys[from]));
}

// The steps from point to point summed in order round the outline, back to the first. Where
// the processor has vector instructions, the steps are worked out two at a time: the same
// operations on each lane, so the same result, in half the square roots.
double perimeterOf(const double* xs, const double* ys, std::size_t n) {
  double perimeter = 0;
  std::size_t i = 1;
#if LUMORA_SSE2
  for (; i + 2 <= n; i += 2) {
    const __m128d dx = _mm_sub_pd(_mm_loadu_pd(xs + i), _mm_loadu_pd(xs + i - 1));
    const __m128d dy = _mm_sub_pd(_mm_loadu_pd(ys + i), _mm_loadu_pd(ys + i - 1));
    double steps[2];
    _mm_storeu_pd(steps, _mm_sqrt_pd(_mm_add_pd(_mm_mul_pd(dx, dx), _mm_mul_pd(dy, dy))));
    perimeter += steps[0];
    perimeter += steps[1];
  }
#endif
  for (; i < n; ++i) perimeter += stepBetween(xs, ys, i - 1, i);
  return perimeter + stepBetween(xs, ys, n - 1, 0);
}

// Where the largest radius first appears.
std::size_t firstLargest(const std::vector<double>& radii) {
  std::size_t at = 0;
  for (std::size_t i = 1; i < radii.size(); ++i) at = radii[i] > radii[at] ? i : at;
  return at;
}

Measurement measureRadii(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  if (n == 0) return {};  // no radii: nothing to measure
  const auto points = std::make_unique_for_overwrite<double[]>(2 * n);
  double* const xs = points.get();
  double* const ys = xs + n;
  outlinePoints(radii, sign, xs, ys);
  const OutlineBox box = boxAround(xs, ys, n);
  const double perimeter = perimeterOf(xs, ys, n);
  const std::size_t largestAt = firstLargest(radii);
  const double largestAngle = 360.0 * static_cast<double>(largestAt) / static_cast<double>(n);
  return {roundHalfEven(box.width(), 2), roundHalfEven(box.height(), 2),
          roundHalfEven(roundHalfEven(perimeter, 2), 2), roundHalfEven(2 * radii[largestAt] / 100, 2),
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

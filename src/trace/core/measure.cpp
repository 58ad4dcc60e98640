// Box size, circumference and effective diameter of one side from its equiangular radii.
#include <cmath>

#include "trace/core/numtext.h"
#include "trace/core/outline_box.h"
#include "trace/core/shared_values.h"
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

// Radii in hundredths of a mm, the first at angle 0; `sign` mirrors X for the left eye.
Measurement measureRadii(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  if (n == 0) return {};  // no radii: nothing to measure
  const std::vector<Direction>& directions = equiangularDirections(n);
  OutlineBox box;
  const double firstX = radii[0] / 100 * sign, firstY = 0;
  box.add(firstX, firstY);
  double largest = radii[0], largestAngle = 0, perimeter = 0;
  double prevX = firstX, prevY = firstY;
  for (std::size_t i = 1; i < n; ++i) {
    const double r = radii[i];
    if (r > largest) largest = r, largestAngle = 360.0 * static_cast<double>(i) / static_cast<double>(n);
    const double x = r / 100 * directions[i].cos * sign;
    const double y = r / 100 * directions[i].sin;
    perimeter += std::sqrt((x - prevX) * (x - prevX) + (y - prevY) * (y - prevY));
    box.add(x, y);
    prevX = x, prevY = y;
  }
  perimeter += std::sqrt((firstX - prevX) * (firstX - prevX) + (firstY - prevY) * (firstY - prevY));
  return {roundHalfEven(box.width(), 2), roundHalfEven(box.height(), 2),
          roundHalfEven(roundHalfEven(perimeter, 2), 2), roundHalfEven(2 * largest / 100, 2),
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

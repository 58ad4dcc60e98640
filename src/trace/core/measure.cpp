// Box size, circumference and effective diameter of one side from its equiangular radii.
#include <algorithm>

#include "base/core/number_text.h"
#include "trace/core/outline_walk.h"
#include "base/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

struct Measurement {
  double a = 0, b = 0, c = 0, ed = 0, eda = 0;
};

Measurement measureRadii(const std::vector<double>& radii, double sign) {
  const std::size_t n = radii.size();
  if (n == 0) return {};  // no radii: nothing to measure
  const detail::OutlineWalk walk = detail::WalkOutline(radii, sign);
  // The first largest; a largest that is no number matches none, and the first radius stands.
  const auto largest = std::find(radii.begin(), radii.end(), walk.largestRadius);
  const auto largestAt = largest == radii.end() ? 0 : static_cast<std::size_t>(largest - radii.begin());
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
  const Measurement m = measureRadii(valuesOf(RadArray), Shared().MirrorSign);
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

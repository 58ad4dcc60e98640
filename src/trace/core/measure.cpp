#include "trace/core/measure.h"

#include <algorithm>
#include <optional>

#include "base/core/number_text.h"
#include "trace/core/trace_record.h"

namespace lumora {

OutlineMeasurement measureOutline(const std::vector<double>& radii, Side side, const detail::Directions& directions) {
  const std::size_t n = radii.size();
  if (n == 0) return {};
  const detail::OutlineWalk walk = detail::walkOutline(radii, mirrorSign(side), directions);
  // The first largest; a largest that is no number matches none, and the first radius stands.
  const auto largest = std::find(radii.begin(), radii.end(), walk.largestRadius);
  const auto largestAt = largest == radii.end() ? 0 : static_cast<std::size_t>(largest - radii.begin());
  const double largestAngle = 360.0 * static_cast<double>(largestAt) / static_cast<double>(n);
  return {roundHalfEven(walk.box.width(), 2), roundHalfEven(walk.box.height(), 2),
          roundHalfEven(roundHalfEven(walk.perimeter, 2), 2), roundHalfEven(2 * radii[largestAt] / 100, 2),
          roundHalfEven(static_cast<double>(roundToWhole(largestAngle) % 180), 1)};
}

// Each eye's measurement is stored rounded once more to 2 decimals. One table of directions
// serves both eyes while they have as many radii.
void TraceRecord::measureSides() {
  std::optional<detail::Directions> directions;
  for (Side side : kBothSides) {
    SideData& s = sides_[side];
    const std::size_t n = s.radiiAsRightEye.size();
    if (!directions || directions->size() != n) directions = detail::equiangularDirections(n);
    const OutlineMeasurement m = measureOutline(s.radiiAsRightEye, side, *directions);
    s.boxWidth = roundHalfEven(m.boxWidth, 2);
    s.boxHeight = roundHalfEven(m.boxHeight, 2);
    s.circumference = roundHalfEven(m.circumference, 2);
    s.effectiveDiameter = roundHalfEven(m.effectiveDiameter, 2);
    s.effectiveDiameterAngle = roundHalfEven(m.effectiveDiameterAngle, 2);
  }
}

}  // namespace lumora

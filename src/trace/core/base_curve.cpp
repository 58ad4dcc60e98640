// Base curve of the frame from the traced depths, treating the rim as lying on a sphere.
#include <cmath>
#include <cstdlib>

#include "trace/core/trace_record.h"

namespace lumora {
namespace {
constexpr double kDefaultCurve = 6.0;
constexpr std::size_t kMinimumPoints = 10;
constexpr double kIndexConstant = 530.0;  // (1.53 - 1) x 1000
constexpr double kUpperLimit = 15.0;
// The point opposite point i of n: n / 2 + i rounded halves to even, wrapped into 0..n-1.
// For an odd n that is half way between two whole numbers, so it becomes the even one.
std::size_t opposite(std::size_t i, std::size_t n) {
  std::size_t o = n / 2 + i;
  if (n % 2 == 1 && o % 2 == 1) ++o;
  return o >= n ? o - n : o;  // o < 2n
}
}  // namespace

// The opposite pair of points with the greatest mean depth: its distance through the centre
// is the chord, that depth the sagitta.
double TraceRecord::baseCurve(Side side) const {
  const std::vector<double>& radii = sides_[side].radiiAsRightEye;
  const std::vector<double>& depths = sides_[side].depthsAsRightEye;
  const std::size_t n = radii.size();
  if (n != depths.size() || n < kMinimumPoints) return kDefaultCurve;
  // The mean depth only grows with the sum of the pair's depths, so it is worked out only for
  // a sum above every earlier one (and 0), giving the same maximum with few divisions.
  double zMax = 0, chord = 0, largestSum = 0;
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t o = opposite(i, n);
    const double depthSum = depths[i] + depths[o];
    if (!(depthSum > largestSum)) continue;
    largestSum = depthSum;
    const double zMean = depthSum / 100 / 2;
    if (zMean > zMax) {
      zMax = zMean;
      chord = (radii[i] + radii[o]) / 100;
    }
  }
  if (zMax <= 0) return kDefaultCurve;
  const double radius = ((chord / 2) * (chord / 2) + zMax * zMax) / (2 * zMax);
  const double curve = kIndexConstant / radius;
  // Absurd depths or radii: an infinite radius would make the curve 0.
  if (!std::isfinite(curve) || curve <= 0) return kDefaultCurve;
  return curve > kUpperLimit ? kUpperLimit : curve;
}

void TraceRecord::applyBaseCurveFallback() {
  for (Side side : kBothSides) {
    SideData& s = sides_[side];
    if (s.frameCurve == 0 && s.bevelCurve == 0) s.frameCurve = s.bevelCurve = baseCurve(side);
  }
}

}  // namespace lumora

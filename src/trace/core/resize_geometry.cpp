#include "trace/core/resize_geometry.h"

#include <algorithm>
#include <cmath>

#include "base/core/number_text.h"

namespace lumora::detail {
namespace {

bool isFinite(const TracePoint& p) { return std::isfinite(p.X) && std::isfinite(p.Y); }

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// True when I lies on segment P-Q to 3 decimals (the rule's hit test). Lengths too large
// to add up never count.
bool liesOnSegment(const TracePoint& P, const TracePoint& Q, const TracePoint& I) {
  const double viaI = PointDistance(P, I) + PointDistance(I, Q);
  const double direct = PointDistance(P, Q);
  if (!std::isfinite(viaI) || !std::isfinite(direct)) return false;
  return roundHalfEven(viaI, 3) == roundHalfEven(direct, 3);
}

// Edge j of a closed outline of n points: point j to point j+1, the last one back to point 0.
TracePoint edgeStart(const std::vector<double>& X, const std::vector<double>& Y, std::size_t j) {
  return {X[j], Y[j]};
}
TracePoint edgeEnd(const std::vector<double>& X, const std::vector<double>& Y, std::size_t j,
                   std::size_t n) {
  const std::size_t k = (j + 1 == n) ? 0 : j + 1;
  return {X[k], Y[k]};
}

// The rule's hit test accepts a point whose way along a segment is longer than the segment
// by less than one rounding step (0.001 mm). Such points lie in an ellipse round the
// segment, at most sqrt(L * e / 2 + e * e / 4) from it (L its length, e the step). An edge
// lying wholly farther than the two ellipses reach from the ray's line can never give a hit,
// so the search skips it without computing the rule: the answer stays the same.
class RayStrip {
 public:
  explicit RayStrip(const TracePoint& rayEnd) {
    const double length = PointDistance({0, 0}, rayEnd);
    ux_ = rayEnd.X / length;
    uy_ = rayEnd.Y / length;
    rayReach_ = std::sqrt(length * kStep / 2 + kStep * kStep / 4) + kSlack;
  }

  bool IsBeyondReach(const TracePoint& P3, const TracePoint& P4) const {
    const double d3 = side(P3), d4 = side(P4);
    // sqrt(x) <= (x / k + k) / 2 for any k > 0: an upper bound without a square root.
    const double length = std::fabs(P3.X - P4.X) + std::fabs(P3.Y - P4.Y) + kSlack;
    const double x = length * kStep / 2 + kStep * kStep / 4;
    const double limit = rayReach_ + (x / kBoundPivot + kBoundPivot) / 2;
    return (d3 > limit && d4 > limit) || (d3 < -limit && d4 < -limit);  // NaN never skips
  }

 private:
  static constexpr double kStep = 0.0011;   // one rounding step and a little, mm
  static constexpr double kSlack = 0.01;    // covers the 0.0001 mm nudge of vertical edges
  static constexpr double kBoundPivot = 0.05;
  // Signed distance of P from the ray's line, mm.
  double side(const TracePoint& P) const { return P.X * uy_ - P.Y * ux_; }
  double ux_ = 0, uy_ = 0, rayReach_ = 0;
};

}  // namespace

double PointDistance(const TracePoint& P1, const TracePoint& P2) {
  const double dx = P1.X - P2.X;
  const double dy = P1.Y - P2.Y;
  const double d = std::sqrt(dx * dx + dy * dy);
  return std::isfinite(d) ? d : std::hypot(dx, dy);
}

TracePoint IntersectSegments(TracePoint P1, TracePoint P2, TracePoint P3, TracePoint P4) {
  if (P3.X == P4.X) P3.X = P4.X + 0.0001;
  double m2 = (P3.Y - P4.Y) / (P3.X - P4.X);
  TracePoint I;
  if (P1.X == P2.X) {
    I.X = P1.X;
    I.Y = (I.X - P3.X) * m2 + P3.Y;
  } else {
    const double m1 = (P1.Y - P2.Y) / (P1.X - P2.X);
    if (m2 - m1 == 0) m2 = m1 - 0.0001;
    I.X = ((P3.Y - P1.Y) + m1 * P1.X - m2 * P3.X) / (m1 - m2);
    I.Y = std::fabs(P3.Y - P4.Y) < 0.001 ? P3.Y : (I.X - P1.X) * m1 + P1.Y;
  }
  if (!isFinite(I) || !liesOnSegment(P1, P2, I) || !liesOnSegment(P3, P4, I))
    return NoIntersectionPoint;
  return I;
}

std::optional<TracePoint> ExactSegmentCrossing(const TracePoint& P1, const TracePoint& P2,
                                               const TracePoint& P3, const TracePoint& P4) {
  const double rx = P2.X - P1.X, ry = P2.Y - P1.Y;
  const double sx = P4.X - P3.X, sy = P4.Y - P3.Y;
  const double denom = cross(rx, ry, sx, sy);
  if (denom == 0 || !std::isfinite(denom)) return std::nullopt;
  const double qx = P3.X - P1.X, qy = P3.Y - P1.Y;
  const double t = cross(qx, qy, sx, sy) / denom;  // along A
  const double u = cross(qx, qy, rx, ry) / denom;  // along B
  if (!(t >= 0 && t <= 1 && u >= 0 && u <= 1)) return std::nullopt;  // also rejects NaN
  const TracePoint I{P1.X + t * rx, P1.Y + t * ry};
  if (!isFinite(I)) return std::nullopt;
  return I;
}

BoxSize CenterOnBox(std::vector<double>& X, std::vector<double>& Y) {
  double maxX = -1000, maxY = -1000, minX = 1000, minY = 1000;
  for (std::size_t i = 0; i < X.size() && i < Y.size(); ++i) {
    if (X[i] > maxX) maxX = X[i];
    if (X[i] < minX) minX = X[i];
    if (Y[i] > maxY) maxY = Y[i];
    if (Y[i] < minY) minY = Y[i];
  }
  const double cx = roundHalfEven((maxX + minX) / 2, 4);
  const double cy = roundHalfEven((maxY + minY) / 2, 4);
  for (double& x : X) x -= cx;
  for (double& y : Y) y -= cy;
  return {maxX - minX, maxY - minY};
}

std::string FormatRadiusLines(std::string Label, const std::vector<std::string>& Values,
                              std::string_view LineEnd) {
  if (Label.empty()) Label = "R=";
  std::string out = Label;
  out.reserve(Values.size() * 6 + Values.size() / 10 * (Label.size() + LineEnd.size()) + 8);
  for (std::size_t i = 0; i < Values.size(); ++i) {
    out += formatNumber(value(Values[i]), "#####0");
    if (i + 1 == Values.size()) break;
    if ((i + 1) % 10 == 0) {
      out += LineEnd;
      out += Label;
    } else {
      out += ';';
    }
  }
  return out;
}

std::optional<TracePoint> RuleHit(const TracePoint& rayEnd, const std::vector<double>& X,
                                  const std::vector<double>& Y) {
  const TracePoint origin{0, 0};
  const std::size_t n = std::min(X.size(), Y.size());
  const RayStrip strip(rayEnd);
  for (std::size_t j = 0; j < n; ++j) {
    const TracePoint P3 = edgeStart(X, Y, j), P4 = edgeEnd(X, Y, j, n);
    if (strip.IsBeyondReach(P3, P4)) continue;
    const TracePoint I = IntersectSegments(origin, rayEnd, P3, P4);
    if (IsHit(I)) return I;
  }
  return std::nullopt;
}

std::optional<TracePoint> ExactHit(const TracePoint& rayEnd, const std::vector<double>& X,
                                   const std::vector<double>& Y) {
  const TracePoint origin{0, 0};
  const std::size_t n = std::min(X.size(), Y.size());
  for (std::size_t j = 0; j < n; ++j) {
    if (auto I = ExactSegmentCrossing(origin, rayEnd, edgeStart(X, Y, j), edgeEnd(X, Y, j, n)))
      return I;
  }
  return std::nullopt;
}

}  // namespace lumora::detail

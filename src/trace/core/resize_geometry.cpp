#include "trace/core/resize_geometry.h"

#include <algorithm>
#include <cmath>

#include "base/core/number_text.h"

namespace lumora::detail {
namespace {

bool isFinite(const TracePoint& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

double cross(double ax, double ay, double bx, double by) { return ax * by - ay * bx; }

// True when i lies on segment p-q to 3 decimals (the rule's hit test). Lengths too large
// to add up never count.
bool liesOnSegment(const TracePoint& p, const TracePoint& q, const TracePoint& i) {
  const double viaI = pointDistance(p, i) + pointDistance(i, q);
  const double direct = pointDistance(p, q);
  if (!std::isfinite(viaI) || !std::isfinite(direct)) return false;
  return roundHalfEven(viaI, 3) == roundHalfEven(direct, 3);
}

TracePoint edgeStart(const Outline& outline, std::size_t j) { return {outline.x[j], outline.y[j]}; }
TracePoint edgeEnd(const Outline& outline, std::size_t j) {
  const std::size_t k = (j + 1 == outline.size()) ? 0 : j + 1;
  return {outline.x[k], outline.y[k]};
}

// The rule's hit test accepts a point whose way along a segment is longer than the segment
// by less than one rounding step (0.001 mm). Such points lie in an ellipse round the
// segment, at most sqrt(L * e / 2 + e * e / 4) from it (L its length, e the step). An edge
// lying wholly farther than the two ellipses reach from the ray's line can never give a hit,
// so the search skips it without computing the rule: the answer stays the same.
class RayStrip {
 public:
  explicit RayStrip(const TracePoint& rayEnd) {
    const double length = pointDistance({0, 0}, rayEnd);
    ux_ = rayEnd.x / length;
    uy_ = rayEnd.y / length;
    rayReach_ = std::sqrt(length * kStep / 2 + kStep * kStep / 4) + kSlack;
  }

  bool isBeyondReach(const TracePoint& p3, const TracePoint& p4) const {
    const double d3 = side(p3), d4 = side(p4);
    // sqrt(x) <= (x / k + k) / 2 for any k > 0: an upper bound without a square root.
    const double length = std::fabs(p3.x - p4.x) + std::fabs(p3.y - p4.y) + kSlack;
    const double x = length * kStep / 2 + kStep * kStep / 4;
    const double limit = rayReach_ + (x / kBoundPivot + kBoundPivot) / 2;
    return (d3 > limit && d4 > limit) || (d3 < -limit && d4 < -limit);  // NaN never skips
  }

 private:
  static constexpr double kStep = 0.0011;   // one rounding step and a little, mm
  static constexpr double kSlack = 0.01;    // covers the 0.0001 mm nudge of vertical edges
  static constexpr double kBoundPivot = 0.05;
  // Signed distance of p from the ray's line, mm.
  double side(const TracePoint& p) const { return p.x * uy_ - p.y * ux_; }
  double ux_ = 0, uy_ = 0, rayReach_ = 0;
};

}  // namespace

double pointDistance(const TracePoint& p1, const TracePoint& p2) {
  const double dx = p1.x - p2.x;
  const double dy = p1.y - p2.y;
  const double d = std::sqrt(dx * dx + dy * dy);
  return std::isfinite(d) ? d : std::hypot(dx, dy);
}

TracePoint intersectSegments(TracePoint p1, TracePoint p2, TracePoint p3, TracePoint p4) {
  if (p3.x == p4.x) p3.x = p4.x + 0.0001;
  double m2 = (p3.y - p4.y) / (p3.x - p4.x);
  TracePoint i;
  if (p1.x == p2.x) {
    i.x = p1.x;
    i.y = (i.x - p3.x) * m2 + p3.y;
  } else {
    const double m1 = (p1.y - p2.y) / (p1.x - p2.x);
    if (m2 - m1 == 0) m2 = m1 - 0.0001;
    i.x = ((p3.y - p1.y) + m1 * p1.x - m2 * p3.x) / (m1 - m2);
    i.y = std::fabs(p3.y - p4.y) < 0.001 ? p3.y : (i.x - p1.x) * m1 + p1.y;
  }
  if (!isFinite(i) || !liesOnSegment(p1, p2, i) || !liesOnSegment(p3, p4, i)) return kNoIntersectionPoint;
  return i;
}

std::optional<TracePoint> exactSegmentCrossing(const TracePoint& p1, const TracePoint& p2,
                                               const TracePoint& p3, const TracePoint& p4) {
  const double rx = p2.x - p1.x, ry = p2.y - p1.y;
  const double sx = p4.x - p3.x, sy = p4.y - p3.y;
  const double denom = cross(rx, ry, sx, sy);
  if (denom == 0 || !std::isfinite(denom)) return std::nullopt;
  const double qx = p3.x - p1.x, qy = p3.y - p1.y;
  const double t = cross(qx, qy, sx, sy) / denom;  // along A
  const double u = cross(qx, qy, rx, ry) / denom;  // along B
  if (!(t >= 0 && t <= 1 && u >= 0 && u <= 1)) return std::nullopt;  // also rejects NaN
  const TracePoint i{p1.x + t * rx, p1.y + t * ry};
  if (!isFinite(i)) return std::nullopt;
  return i;
}

void centerOnBox(Outline& outline) {
  double maxX = -1000, maxY = -1000, minX = 1000, minY = 1000;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    if (outline.x[i] > maxX) maxX = outline.x[i];
    if (outline.x[i] < minX) minX = outline.x[i];
    if (outline.y[i] > maxY) maxY = outline.y[i];
    if (outline.y[i] < minY) minY = outline.y[i];
  }
  const double cx = roundHalfEven((maxX + minX) / 2, 4);
  const double cy = roundHalfEven((maxY + minY) / 2, 4);
  for (double& x : outline.x) x -= cx;
  for (double& y : outline.y) y -= cy;
}

std::string formatRadiusLines(const std::vector<std::string>& values) {
  std::string out = "R=";
  out.reserve(values.size() * 6 + values.size() / 10 * 3 + 8);
  for (std::size_t i = 0; i < values.size(); ++i) {
    out += formatNumber(value(values[i]), "#####0");
    if (i + 1 == values.size()) break;
    out += (i + 1) % 10 == 0 ? "\nR=" : ";";
  }
  return out;
}

std::optional<TracePoint> ruleHit(const TracePoint& rayEnd, const Outline& outline) {
  const RayStrip strip(rayEnd);
  for (std::size_t j = 0; j < outline.size(); ++j) {
    const TracePoint p3 = edgeStart(outline, j), p4 = edgeEnd(outline, j);
    if (strip.isBeyondReach(p3, p4)) continue;
    const TracePoint i = intersectSegments({0, 0}, rayEnd, p3, p4);
    if (isHit(i)) return i;
  }
  return std::nullopt;
}

std::optional<TracePoint> exactHit(const TracePoint& rayEnd, const Outline& outline) {
  for (std::size_t j = 0; j < outline.size(); ++j) {
    if (auto i = exactSegmentCrossing({0, 0}, rayEnd, edgeStart(outline, j), edgeEnd(outline, j))) return i;
  }
  return std::nullopt;
}

}  // namespace lumora::detail

// Plane geometry behind the frame resizing: outline points, the rule-based segment
// intersection, box centring, and the "R=" line layout. Coordinates are millimetres,
// origin at the frame centre in use, x to the right (0 degrees), y upward (90 degrees).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace lumora::detail {

struct TracePoint {
  double x = 0;
  double y = 0;
};

// A closed outline: point i is (x[i], y[i]); edge j runs from point j to point j + 1, the
// last edge back to point 0. x and y have equal sizes.
struct Outline {
  std::vector<double> x, y;
  std::size_t size() const { return x.size(); }
};

// What intersectSegments answers when the segments do not meet.
inline constexpr double kNoIntersection = -1.123456;
inline constexpr TracePoint kNoIntersectionPoint{kNoIntersection, kNoIntersection};

// A result counts as a hit when x and y both differ from the no-intersection value.
inline bool isHit(const TracePoint& p) { return p.x != kNoIntersection && p.y != kNoIntersection; }

// ((p1.x - p2.x)^2 + (p1.y - p2.y)^2)^0.5; stays finite for coordinates whose squares
// would overflow.
double pointDistance(const TracePoint& p1, const TracePoint& p2);

// The tracer software's intersection rule for segment A = p1-p2 and segment B = p3-p4
// (p3.x is nudged by 0.0001 when segment B is vertical; the points are taken by value).
// A nearly flat segment B (|p3.y - p4.y| < 0.001) takes its y from p3. The point counts
// only when it lies on both segments to 3 decimals; otherwise kNoIntersectionPoint.
// Non-finite arithmetic never counts as a hit.
TracePoint intersectSegments(TracePoint p1, TracePoint p2, TracePoint p3, TracePoint p4);

// The exact crossing of segment A = p1-p2 with segment B = p3-p4 (ends included), or
// nothing when they do not meet or are parallel.
std::optional<TracePoint> exactSegmentCrossing(const TracePoint& p1, const TracePoint& p2,
                                               const TracePoint& p3, const TracePoint& p4);

// Shifts the outline so that its box centre, rounded to 4 decimals, is the origin. The
// extremes start at -1000 / +1000 mm, so points beyond them do not widen the box.
void centerOnBox(Outline& outline);

// "R=" record lines of ten whole numbers ("#####0") each, joined by ";", lines joined by
// LF, no line end after the last value.
std::string formatRadiusLines(const std::vector<std::string>& values);

// Where the ray from the origin to `rayEnd` meets the outline.
// ruleHit: the first edge, in index order, that intersectSegments accepts.
std::optional<TracePoint> ruleHit(const TracePoint& rayEnd, const Outline& outline);
// exactHit: the exact crossing with the first edge, in index order, that the ray meets.
std::optional<TracePoint> exactHit(const TracePoint& rayEnd, const Outline& outline);

}  // namespace lumora::detail

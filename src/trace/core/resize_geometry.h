// Plane geometry behind the frame resizing: outline points, the rule-based segment
// intersection, box centring, and the "R=" line layout. Coordinates are millimetres,
// origin at the frame centre in use, X to the right (0 degrees), Y upward (90 degrees).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora::detail {

struct TracePoint {
  double X = 0;
  double Y = 0;
};

// What IntersectSegments answers when the segments do not meet.
inline constexpr double kNoIntersection = -1.123456;
inline constexpr TracePoint NoIntersectionPoint{kNoIntersection, kNoIntersection};

// A result counts as a hit when X and Y both differ from the no-intersection value.
inline bool IsHit(const TracePoint& p) { return p.X != kNoIntersection && p.Y != kNoIntersection; }

// ((P1.X - P2.X)^2 + (P1.Y - P2.Y)^2)^0.5; stays finite for coordinates whose squares
// would overflow.
double PointDistance(const TracePoint& P1, const TracePoint& P2);

// The tracer software's intersection rule for segment A = P1-P2 and segment B = P3-P4
// (P3.X is nudged by 0.0001 when segment B is vertical; the points are taken by value).
// A nearly flat segment B (|P3.Y - P4.Y| < 0.001) takes its Y from P3. The point counts
// only when it lies on both segments to 3 decimals; otherwise NoIntersectionPoint.
// Non-finite arithmetic never counts as a hit.
TracePoint IntersectSegments(TracePoint P1, TracePoint P2, TracePoint P3, TracePoint P4);

// The exact crossing of segment A = P1-P2 with segment B = P3-P4 (ends included), or
// nothing when they do not meet or are parallel.
std::optional<TracePoint> ExactSegmentCrossing(const TracePoint& P1, const TracePoint& P2,
                                               const TracePoint& P3, const TracePoint& P4);

struct BoxSize {
  double width = 0;
  double height = 0;
};

// Shifts X and Y (equal sizes) so that their box centre, rounded to 4 decimals, is the
// origin. The extremes start at -1000 / +1000 mm, so points beyond them do not widen the box.
BoxSize CenterOnBox(std::vector<double>& X, std::vector<double>& Y);

// "R=" style record lines: ten whole numbers ("#####0") per line, joined by ";",
// lines joined by LineEnd, no line end after the last value. An empty Label means "R=".
std::string FormatRadiusLines(std::string Label, const std::vector<std::string>& Values,
                              std::string_view LineEnd);

// Where the ray from the origin to `rayEnd` meets the closed outline X/Y (equal sizes;
// edge j runs from point j to point j+1, the last edge back to point 0).
// RuleHit: the first edge, in index order, that IntersectSegments accepts.
std::optional<TracePoint> RuleHit(const TracePoint& rayEnd, const std::vector<double>& X,
                                  const std::vector<double>& Y);
// ExactHit: the exact crossing with the first edge, in index order, that the ray meets.
std::optional<TracePoint> ExactHit(const TracePoint& rayEnd, const std::vector<double>& X,
                                   const std::vector<double>& Y);

}  // namespace lumora::detail

// One eye's outline laid out on a printed page at true size, with the numbers an optician
// checks it by and a 50 mm bar a ruler confirms the scale with.
#pragma once

#include <string>
#include <vector>

#include "base/core/problem.h"
#include "trace/core/trace_record.h"
#include "view/core/millimetre_surface.h"

namespace lumora {

// A text on the page: its baseline's left end in millimetres from the printable area's
// left-top corner.
struct SheetText {
  double xMm = 0, yMm = 0;
  std::string text;
};

struct TraceSheet {
  MillimetreSurface drawing{0, 0};  // the printable area: outline, axes and check bar
  std::vector<SheetText> texts;
};

inline constexpr double kCheckBarMm = 50;

// The side of the square that holds the whole outline of `radii` (hundredths of a mm) with
// a margin, within sane bounds.
double outlineSquareMm(const std::vector<double>& radii);

struct SheetHeading {
  std::string job, date;
};

// The page for `side` of `trace` on a printable area of `widthMm` x `heightMm`: the heading
// and the eye's dimensions at the top, the outline below them, then the check bar. An eye
// without an outline, or an outline the area cannot hold at true size, is a Problem: a
// shrunk outline would be worse than none.
Result<TraceSheet> layOutTraceSheet(const TraceRecord& trace, Side side, const SheetHeading& heading,
                                    double widthMm, double heightMm);

}  // namespace lumora

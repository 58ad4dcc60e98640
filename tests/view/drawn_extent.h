// Where a drawing's lines of one pen lie, for checks of size and place in millimetres.
#pragma once

#include <algorithm>

#include "view/core/millimetre_surface.h"

namespace lumora::testing {

struct Pen {
  std::uint32_t colour;  // 0xRRGGBB
  int widthPixels;
};
inline constexpr Pen kCalibrationCircle{0, 1}, kTraceOutline{0x00FF00, 2};  // the axes have other pens

struct Extent {
  double left = 1e9, top = 1e9, right = -1e9, bottom = -1e9;
  double width() const { return right - left; }
  double height() const { return bottom - top; }
};

// The lines of `pen` that start at or beyond `fromX` mm and before `toX`.
inline Extent extentOf(const MillimetreSurface& drawing, Pen pen, double fromX = -1e9, double toX = 1e9) {
  Extent e;
  for (const DrawnLine& l : drawing.lines()) {
    if (l.colour != pen.colour || l.widthPixels != pen.widthPixels || l.x1 < fromX || l.x1 >= toX) continue;
    e = {std::min({e.left, l.x1, l.x2}), std::min({e.top, l.y1, l.y2}), std::max({e.right, l.x1, l.x2}),
         std::max({e.bottom, l.y1, l.y2})};
  }
  return e;
}

}  // namespace lumora::testing

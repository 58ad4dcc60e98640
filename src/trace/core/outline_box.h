// The box around the points of an outline, for its A (width) and B (height).
#pragma once

namespace lumora {

// Extremes start at 0 and 1000 mm, not at the first point: an outline wholly on one side of
// the centre measures from 0.
struct OutlineBox {
  double MinX = 1000, MinY = 1000, MaxX = 0, MaxY = 0;
  void add(double x, double y) {
    if (x > MaxX) MaxX = x;
    if (x < MinX) MinX = x;
    if (y > MaxY) MaxY = y;
    if (y < MinY) MinY = y;
  }
  double width() const { return MaxX - MinX; }
  double height() const { return MaxY - MinY; }
};

}  // namespace lumora

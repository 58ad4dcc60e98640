// The box around the points of an outline, for its A (width) and B (height).
#pragma once

namespace lumora {

// Extremes start at 0 and 1000 mm, not at the first point: an outline wholly on one side of
// the centre measures from 0.
struct OutlineBox {
  double minX = 1000, minY = 1000, maxX = 0, maxY = 0;
  // A point that is no number changes nothing.
  void add(double x, double y) {
    maxX = x > maxX ? x : maxX;
    minX = x < minX ? x : minX;
    maxY = y > maxY ? y : maxY;
    minY = y < minY ? y : minY;
  }
  double width() const { return maxX - minX; }
  double height() const { return maxY - minY; }
};

}  // namespace lumora

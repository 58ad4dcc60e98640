// The box around the points of an outline, for its A (width) and B (height).
#pragma once

namespace lumora {

// Extremes start at 0 and 1000 mm, not at the first point: an outline wholly on one side of
// the centre measures from 0.
struct OutlineBox {
  double MinX = 1000, MinY = 1000, MaxX = 0, MaxY = 0;
  // Without branches; a point that is no number changes nothing.
  void add(double x, double y) {
    MaxX = x > MaxX ? x : MaxX;
    MinX = x < MinX ? x : MinX;
    MaxY = y > MaxY ? y : MaxY;
    MinY = y < MinY ? y : MinY;
  }
  // The box around this box's points and the other's: the same as adding them all to one.
  void add(const OutlineBox& other) {
    MaxX = other.MaxX > MaxX ? other.MaxX : MaxX;
    MinX = other.MinX < MinX ? other.MinX : MinX;
    MaxY = other.MaxY > MaxY ? other.MaxY : MaxY;
    MinY = other.MinY < MinY ? other.MinY : MinY;
  }
  double width() const { return MaxX - MinX; }
  double height() const { return MaxY - MinY; }
};

}  // namespace lumora

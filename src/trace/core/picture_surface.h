// The drawing seam: the operations of a picture control that trace drawing needs.
// Units are those of the current scale (millimetres after setScaleModeMillimetres).
#pragma once

namespace lumora {

class PictureSurface {
 public:
  virtual ~PictureSurface() = default;
  virtual void setForeColour(int red, int green, int blue) = 0;
  virtual void clearPicture() = 0;  // replaces the picture by an empty one and clears
  virtual void setScaleModeMillimetres() = 0;
  virtual double scaleWidth() const = 0;
  virtual double scaleHeight() const = 0;
  // Left-top and right-bottom corners in user units (x grows right, y grows down).
  virtual void setUserScale(double left, double top, double right, double bottom) = 0;
  virtual void setLineWidth(int pixels) = 0;
  virtual void drawLine(double x1, double y1, double x2, double y2) = 0;
};

}  // namespace lumora

// The drawing seam: the operations of a picture control that trace drawing needs.
// Units are those of the current scale (millimetres after setScaleModeMillimetres).
#pragma once

#include <string_view>

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
  // A short caption (ASCII) centred on (x, y), in the fore colour, kCaptionHeightMm high
  // whatever the scale.
  virtual void drawCaption(double x, double y, std::string_view text) = 0;
};

inline constexpr double kCaptionHeightMm = 4;

// The screen's calibration factors across and down: a factor above 1 draws that much larger,
// where the millimetres the system reports are too small. 1 on a true screen; 0, or a factor
// that is not a number, cannot scale, and a drawing keeps the surface's millimetre scale.
struct ScreenCalibration {
  double horizontal = 1.0;
  double vertical = 1.0;
};

}  // namespace lumora

// Drawing one eye's outline at true size on a picture surface.
#include <cmath>

#include "trace/core/degrees.h"
#include "trace/core/outline_drawing.h"
#include "trace/core/trace_record.h"

namespace lumora {

void setTrueSizeScale(PictureSurface& surface, ScreenCalibration calibration) {
  surface.setScaleModeMillimetres();
  const double w = surface.scaleWidth() / 2;
  const double h = surface.scaleHeight() / 2;
  const double hb = calibration.horizontal, vb = calibration.vertical;
  if (hb == 0 || vb == 0 || !std::isfinite(w / hb) || !std::isfinite(h / vb)) return;
  surface.setUserScale(-w / hb, -h / vb, w / hb, h / vb);
}

// The surface's y grows downward, so y is negated.
void drawOutline(PictureSurface& surface, const std::vector<double>& radii, double sign, double centreX) {
  const std::size_t n = radii.size();
  std::vector<double> x(n), y(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double angle = static_cast<double>(i) * (360.0 / static_cast<double>(n)) * kDegToRad;
    x[i] = centreX + radii[i] / 100 * std::cos(angle) * sign;
    y[i] = radii[i] / 100 * std::sin(angle);
  }
  surface.setLineWidth(2);
  for (std::size_t i = 1; i < n; ++i) surface.drawLine(x[i - 1], -y[i - 1], x[i], -y[i]);
  surface.drawLine(x[n - 1], -y[n - 1], x[0], -y[0]);
}

// The outline in the eye's own orientation, angle 0 to the right and growing
// counter-clockwise for the right eye.
void TraceRecord::draw(PictureSurface& surface, Side side, ScreenCalibration calibration) const {
  surface.setForeColour(0, 255, 0);
  surface.clearPicture();
  const std::vector<double> r = radii(side, Orientation::AsTraced);
  if (r.size() < kMinimumDrawnRadii) return;
  setTrueSizeScale(surface, calibration);
  const double width = surface.scaleWidth(), height = surface.scaleHeight();
  drawOutline(surface, r, mirrorSign(side), 0);
  surface.setLineWidth(1);
  surface.drawLine(0, -height / 2, 0, height / 2);
  surface.drawLine(-width / 2, 0, width / 2, 0);
}

}  // namespace lumora

// Drawing one side's outline at true size on a picture surface.
#include <cmath>

#include "base/core/number_text.h"
#include "base/core/shared_values.h"
#include "base/core/ascii_text.h"
#include "trace/core/vca_trace.h"

namespace lumora {

// Origin at the centre, one unit one calibrated millimetre. A calibration factor of 0 (or
// one that is not a number) cannot scale: the surface keeps its millimetre scale.
void clsVCATrace::SetDrawingScale(PictureSurface& pic) const {
  pic.setScaleModeMillimetres();
  const double w = pic.scaleWidth() / 2;
  const double h = pic.scaleHeight() / 2;
  const double hb = Shared().HBias, vb = Shared().VBias;
  if (hb == 0 || vb == 0 || !std::isfinite(w / hb) || !std::isfinite(h / vb)) return;
  pic.setUserScale(-w / hb, -h / vb, w / hb, h / vb);
}

void clsVCATrace::DrawTrace(PictureSurface& TracePic, int side) const {
  TracePic.setForeColour(0, 255, 0);
  TracePic.clearPicture();
  const std::string list = VCA_RadianString(side);
  const std::vector<std::string_view> radii = splitFields(list, ';');
  const std::size_t n = radii.size();
  if (n < kMinimumDrawnRadii) return;
  SetDrawingScale(TracePic);
  const double width = TracePic.scaleWidth(), height = TracePic.scaleHeight();
  if (side == 0) Shared().MirrorSign = 1;
  if (side == 1) Shared().MirrorSign = -1;
  const double sign = Shared().MirrorSign;
  std::vector<double> x(n), y(n);
  for (std::size_t i = 0; i < n; ++i) {
    const double angle = static_cast<double>(i) * (360.0 / static_cast<double>(n)) * DegToRad();
    const double r = value(radii[i]) / 100;
    x[i] = r * std::cos(angle) * sign;
    y[i] = r * std::sin(angle);
  }
  TracePic.setLineWidth(2);
  for (std::size_t i = 1; i < n; ++i) TracePic.drawLine(x[i - 1], -y[i - 1], x[i], -y[i]);
  TracePic.drawLine(x[n - 1], -y[n - 1], x[0], -y[0]);
  TracePic.setLineWidth(1);
  TracePic.drawLine(0, -height / 2, 0, height / 2);
  TracePic.drawLine(-width / 2, 0, width / 2, 0);
}

}  // namespace lumora

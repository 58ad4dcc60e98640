#include "view/core/calibration_figure.h"

#include <algorithm>
#include <cmath>

#include "trace/core/outline_box.h"
#include "base/core/shared_values.h"
#include "view/core/dimension_labels.h"

namespace lumora {
namespace {

constexpr std::size_t kReferenceRadii = 400;
constexpr double kReferenceRadius = 2500;  // hundredths of a millimetre: 50 mm across

struct Point {
  double X = 0, Y = 0;
};

// Radius i (from 1) of the list as a nominal offset from the centre, in mm.
Point nominalPoint(const std::vector<double>& radii, std::size_t i) {
  const double angle = 360.0 / static_cast<double>(radii.size()) * static_cast<double>(i) * DegToRad();
  const double r = radii[i - 1] / 100;
  return {r * std::cos(angle), r * std::sin(angle)};
}

}  // namespace

std::vector<double> ReferenceCircle() {
  return std::vector<double>(kReferenceRadii, kReferenceRadius);
}

PictureSizeMm CalibrationPictureSize(double hBias, double vBias) {
  constexpr double kWidth = 90, kHeight = 75, kMargin = 15, kDiameter = 2 * kReferenceRadius / 100;
  return {std::max(kWidth, std::abs(hBias) * kDiameter + kMargin), std::max(kHeight, std::abs(vBias) * kDiameter + kMargin)};
}

// The centre is kept as the middle of the surface and the factors scale the offsets from it,
// which places every point where bias x (offset + centre / bias) would, and stays defined when
// a factor reaches 0 while adjusting (the circle then flattens into a line).
std::optional<CalibrationLabels> DrawCalibrationFigure(PictureSurface& pic,
                                                       const std::vector<double>& radii,
                                                       double hBias, double vBias) {
  if (radii.empty() || radii[0] <= 0) return std::nullopt;
  pic.clearPicture();
  pic.setScaleModeMillimetres();
  const double w = pic.scaleWidth(), h = pic.scaleHeight();
  pic.setLineWidth(1);
  pic.setForeColour(0, 0, 255);
  pic.drawLine(0.001, h / 2, w, h / 2);
  pic.drawLine(w / 2, 0.001, w / 2, h);
  Shared().MirrorSign = 1;
  pic.setForeColour(0, 0, 0);
  const auto drawLine = [&](Point from, Point to) {
    pic.drawLine(w / 2 + hBias * from.X, h / 2 + vBias * from.Y, w / 2 + hBias * to.X,
                 h / 2 + vBias * to.Y);
  };

  const Point first = nominalPoint(radii, 1);
  OutlineBox box;
  box.add(first.X, first.Y);
  double largest = radii[0], perimeter = 0;
  Point previous = first;
  for (std::size_t i = 2; i <= radii.size(); ++i) {
    if (radii[i - 1] > largest) largest = radii[i - 1];
    const Point p = nominalPoint(radii, i);
    perimeter += std::hypot(p.X - previous.X, p.Y - previous.Y);
    box.add(p.X, p.Y);
    drawLine(previous, p);
    previous = p;
  }
  perimeter += std::hypot(first.X - previous.X, first.Y - previous.Y);
  drawLine(previous, first);
  return CalibrationLabels{DimensionLabel("A: ", box.width()), DimensionLabel("B: ", box.height()),
                           DimensionLabel("C: ", perimeter), DimensionLabel("ED: ", 2 * largest / 100)};
}

}  // namespace lumora

#include "view/core/calibration_figure.h"

#include <algorithm>
#include <cmath>

#include "trace/core/degrees.h"
#include "trace/core/outline_box.h"
#include "view/core/dimension_labels.h"

namespace lumora {
namespace {

constexpr std::size_t kReferenceRadii = 400;
constexpr double kReferenceRadius = 2500;  // hundredths of a millimetre: 50 mm across

struct Point {
  double x = 0, y = 0;
};

// Radius i (from 1) of the list as a nominal offset from the centre, in mm.
Point nominalPoint(const std::vector<double>& radii, std::size_t i) {
  const double angle = 360.0 / static_cast<double>(radii.size()) * static_cast<double>(i) * kDegToRad;
  const double r = radii[i - 1] / 100;
  return {r * std::cos(angle), r * std::sin(angle)};
}

}  // namespace

std::vector<double> referenceCircle() {
  return std::vector<double>(kReferenceRadii, kReferenceRadius);
}

PictureSizeMm calibrationPictureSize(ScreenCalibration calibration, PictureSizeMm room) {
  constexpr double kWidth = 90, kHeight = 75, kMargin = 15, kDiameter = 2 * kReferenceRadius / 100;
  const double width = std::max(kWidth, std::abs(calibration.horizontal) * kDiameter + kMargin);
  const double height = std::max(kHeight, std::abs(calibration.vertical) * kDiameter + kMargin);
  return {std::min(width, room.width), std::min(height, room.height)};
}

// The centre is kept as the middle of the surface and the factors scale the offsets from it,
// which places every point where factor x (offset + centre / factor) would, and stays defined
// when a factor reaches 0 while adjusting (the circle then flattens into a line).
std::optional<CalibrationLabels> drawCalibrationFigure(PictureSurface& picture, const std::vector<double>& radii,
                                                       ScreenCalibration calibration) {
  if (radii.empty() || radii[0] <= 0) return std::nullopt;
  picture.clearPicture();
  picture.setScaleModeMillimetres();
  const double w = picture.scaleWidth(), h = picture.scaleHeight();
  picture.setLineWidth(1);
  picture.setForeColour(0, 0, 255);
  picture.drawLine(0.001, h / 2, w, h / 2);
  picture.drawLine(w / 2, 0.001, w / 2, h);
  picture.setForeColour(0, 0, 0);
  const auto drawLine = [&](Point from, Point to) {
    picture.drawLine(w / 2 + calibration.horizontal * from.x, h / 2 + calibration.vertical * from.y,
                     w / 2 + calibration.horizontal * to.x, h / 2 + calibration.vertical * to.y);
  };

  const Point first = nominalPoint(radii, 1);
  OutlineBox box;
  box.add(first.x, first.y);
  double largest = radii[0], perimeter = 0;
  Point previous = first;
  for (std::size_t i = 2; i <= radii.size(); ++i) {
    if (radii[i - 1] > largest) largest = radii[i - 1];
    const Point p = nominalPoint(radii, i);
    perimeter += std::hypot(p.x - previous.x, p.y - previous.y);
    box.add(p.x, p.y);
    drawLine(previous, p);
    previous = p;
  }
  perimeter += std::hypot(first.x - previous.x, first.y - previous.y);
  drawLine(previous, first);
  return CalibrationLabels{dimensionLabel("A: ", box.width()), dimensionLabel("B: ", box.height()),
                           dimensionLabel("C: ", perimeter), dimensionLabel("ED: ", 2 * largest / 100)};
}

}  // namespace lumora

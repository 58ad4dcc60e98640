#include "view/core/picture_extras.h"

#include <algorithm>
#include <string>
#include <vector>

#include "trace/core/drill_holes.h"
#include "trace/core/outline_drawing.h"
#include "trace/core/outline_walk.h"

namespace lumora {
namespace {

// An eye as drawn: where the centre of its radii lies on the picture (mm across).
struct DrawnEye {
  Side side;
  double centreX;
};

OutlineBox boxOf(const std::vector<double>& radii) {
  return detail::walkOutline(radii, 1.0, detail::equiangularDirections(radii.size())).box;
}

// Both eyes in their own orientation (the left eye's as traced is the right eye's mirrored),
// the right eye's nasal side facing the left eye's across the bridge. Each name sits above its
// outline, kept inside the picture.
std::vector<DrawnEye> drawBothEyes(const TraceRecord& trace, PictureSurface& surface, ScreenCalibration calibration,
                                   const std::vector<double>& right, const std::vector<double>& left) {
  surface.setForeColour(0, 255, 0);
  surface.clearPicture();
  setTrueSizeScale(surface, calibration);
  const OutlineBox boxes[] = {boxOf(right), boxOf(left)};
  const double bridge = std::max(trace.distanceBetweenLenses(), 0.0);
  const double leftOffset = boxes[0].maxX + bridge - boxes[1].minX;
  const double shift = -(boxes[0].minX + leftOffset + boxes[1].maxX) / 2;
  const std::vector<DrawnEye> eyes{{Side::Right, shift}, {Side::Left, shift + leftOffset}};
  drawOutline(surface, right, 1.0, eyes[0].centreX);
  drawOutline(surface, left, 1.0, eyes[1].centreX);
  const double width = surface.scaleWidth(), height = surface.scaleHeight();
  surface.setLineWidth(1);
  surface.drawLine(-width / 2, 0, width / 2, 0);
  for (const DrawnEye& eye : eyes) surface.drawLine(eye.centreX, -height / 2, eye.centreX, height / 2);
  surface.setForeColour(0, 0, 0);
  for (std::size_t i = 0; i < 2; ++i) {
    const OutlineBox& box = boxes[i];
    const double top = std::max(-box.maxY - kCaptionHeightMm, -height / 2 + kCaptionHeightMm);
    surface.drawCaption(eyes[i].centreX + (box.minX + box.maxX) / 2, top, i == 0 ? "R" : "L");
  }
  return eyes;
}

// The holes of each drawn eye as closed rims, and how many records give none.
void drawHoles(const TraceRecord& trace, PictureSurface& surface, const std::vector<DrawnEye>& eyes) {
  surface.setForeColour(255, 0, 0);
  surface.setLineWidth(1);
  std::size_t unplaced = 0;
  for (const DrawnEye& eye : eyes) {
    const EyeDrillHoles holes = drillHoles(trace, eye.side);
    unplaced += holes.unplaced;
    for (const DrillHole& hole : holes.placed) {
      const auto rim = holeRim(hole);
      for (std::size_t i = 0; i < rim.size(); ++i) {
        const auto& [x1, y1] = rim[i];
        const auto& [x2, y2] = rim[(i + 1) % rim.size()];
        surface.drawLine(eye.centreX + x1, -y1, eye.centreX + x2, -y2);
      }
    }
  }
  if (unplaced > 0)
    surface.drawCaption(0, surface.scaleHeight() / 2 - kCaptionHeightMm,
                        std::to_string(unplaced) + (unplaced == 1 ? " drill hole" : " drill holes") +
                            " not shown");
}

}  // namespace

void drawWithExtras(const TraceRecord& trace, PictureSurface& surface, ScreenCalibration calibration,
                    PictureExtras extras) {
  const std::vector<double> right = trace.radii(Side::Right, Orientation::AsTraced);
  const std::vector<double> left = trace.radii(Side::Left, Orientation::AsTraced);
  std::vector<DrawnEye> eyes{{Side::Right, 0}};
  if (extras.otherEye && right.size() >= kMinimumDrawnRadii && left.size() >= kMinimumDrawnRadii)
    eyes = drawBothEyes(trace, surface, calibration, right, left);
  else trace.draw(surface, Side::Right, calibration);
  if (extras.drillHoles && right.size() >= kMinimumDrawnRadii) drawHoles(trace, surface, eyes);
}

}  // namespace lumora

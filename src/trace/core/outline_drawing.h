// The parts of drawing an eye that every trace picture shares: the true-size scale and the
// outline itself.
#pragma once

#include <vector>

#include "trace/core/picture_surface.h"

namespace lumora {

// Origin at the surface's centre, one unit one calibrated millimetre, y growing downward. A
// calibration factor of 0 (or one that is not a number) cannot scale: the surface keeps its
// millimetre scale.
void setTrueSizeScale(PictureSurface& surface, ScreenCalibration calibration);

// The outline of equiangular `radii` (hundredths of a mm, the first at angle 0, angles growing
// counter-clockwise) around (`centreX`, 0), X times `sign`, in lines 2 pixels wide. Needs at
// least one radius.
void drawOutline(PictureSurface& surface, const std::vector<double>& radii, double sign, double centreX);

}  // namespace lumora

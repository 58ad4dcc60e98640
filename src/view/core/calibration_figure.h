// The reference figure of the screen calibration: a circle of 50 mm nominal diameter drawn
// with the calibration factors applied, and its nominal measurements for the labels.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "trace/core/picture_surface.h"

namespace lumora {

// The label texts: "A: ", "B: ", "C: ", "ED: " and the value printed as "######.00".
struct CalibrationLabels {
  std::string A, B, C, ED;
};

// 400 radii of 2500 hundredths of a millimetre.
std::vector<double> ReferenceCircle();

// The picture (mm) the reference circle needs at the factors: 90 x 75 mm, or the circle with
// 15 mm around it when that is larger, so that a screen whose size is reported far off can
// still be calibrated.
struct PictureSizeMm {
  double Width, Height;
};
PictureSizeMm CalibrationPictureSize(double hBias, double vBias);

// Draws `radii` (hundredths of a millimetre; radius i of N, counted from 1, at 360 x i / N
// degrees) around the middle of `pic`: blue axes through the middle, the outline in black,
// each nominal horizontal distance d drawn as hBias x d mm and each vertical one as
// vBias x d mm. The labels measure the nominal outline, whatever the factors. Sets
// MirrorSign to +1. Draws nothing and gives nothing when the list is empty or its first
// radius is 0 or less.
std::optional<CalibrationLabels> DrawCalibrationFigure(PictureSurface& pic,
                                                       const std::vector<double>& radii,
                                                       double hBias, double vBias);

}  // namespace lumora

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
  std::string boxWidth, boxHeight, circumference, effectiveDiameter;
};

// 400 radii of 2500 hundredths of a millimetre.
std::vector<double> referenceCircle();

struct PictureSizeMm {
  double width, height;
};

// The picture (mm) the reference circle needs at `calibration`: 90 x 75 mm, or the circle
// with 15 mm around it when that is larger, so that a screen whose size is reported far off
// can still be calibrated; at most `room` either way.
PictureSizeMm calibrationPictureSize(ScreenCalibration calibration, PictureSizeMm room);

// Draws `radii` (hundredths of a millimetre; radius i of N, counted from 1, at 360 x i / N
// degrees) around the middle of `picture`: blue axes through the middle, the outline in
// black, each nominal horizontal distance d drawn as horizontal x d mm and each vertical one
// as vertical x d mm. The labels measure the nominal outline, whatever the factors. Draws
// nothing and gives nothing when the list is empty or its first radius is 0 or less.
std::optional<CalibrationLabels> drawCalibrationFigure(PictureSurface& picture, const std::vector<double>& radii,
                                                       ScreenCalibration calibration);

}  // namespace lumora

// What the main window's picture may show besides the right eye: the other eye and the
// holes of the trace's drill records.
#pragma once

#include "trace/core/trace_record.h"

namespace lumora {

struct PictureExtras {
  bool otherEye = false;
  bool drillHoles = false;
};

// How wide a picture must be for both eyes of a usual frame at true size, in mm.
inline constexpr double kBothEyesPictureWidthMm = 160;

// Draws `trace` at `calibration`. Without extras exactly as TraceRecord::draw draws the right
// eye. With the other eye, both eyes as the frame is seen from the front: the right eye on
// the left, each in its own orientation, their boxes the DBL apart, the pair centred, each
// named ("R", "L") above its outline and crossed by its own vertical axis. With drill holes,
// the placed holes of each eye shown, in red, at their true positions and sizes, and a caption
// telling how many holes are not shown.
void drawWithExtras(const TraceRecord& trace, PictureSurface& surface, ScreenCalibration calibration,
                    PictureExtras extras);

}  // namespace lumora

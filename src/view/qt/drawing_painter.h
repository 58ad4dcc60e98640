// Painting a millimetre drawing with a QPainter on any device: screen, image or SVG.
#pragma once

#include "view/core/millimetre_surface.h"

class QPainter;

namespace lumora {

// How the painter's units relate to the drawing: units per millimetre across and down, and
// units per device pixel (for line widths, which are given in pixels).
struct DeviceScale {
  double unitsPerMmX = 1;
  double unitsPerMmY = 1;
  double unitsPerPixel = 1;
};

// Paints the drawing's lines with round-capped pens, then its captions; the painter's state
// is restored afterwards.
void paintDrawing(QPainter& painter, const MillimetreSurface& drawing, DeviceScale scale);

}  // namespace lumora

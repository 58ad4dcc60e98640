// A millimetre drawing rendered to a PNG image or to an SVG document at true size.
#pragma once

#include <QByteArray>
#include <QImage>

#include "base/core/problem.h"
#include "view/core/millimetre_surface.h"

namespace lumora {

// A surface of `widthPx` x `heightPx` pixels at `pxPerMm` pixels per millimetre, so that its
// middle falls on the middle of the image.
MillimetreSurface surfaceForImage(int widthPx, int heightPx, double pxPerMm);

// The drawing on a white image of the surface's size, rounded to whole pixels (at least one);
// a null image when one that large cannot be had.
QImage drawingToImage(const MillimetreSurface& surface, double pxPerMm);

enum class DrawingFormat { Png, Svg };

// The drawing as the bytes of a PNG image, or of an SVG document whose width and height are
// given in millimetres and whose coordinates are millimetres; `pxPerMm` sizes the image and
// turns the pixel line widths into millimetres.
Result<QByteArray> drawingFileBytes(const MillimetreSurface& surface, DrawingFormat format, double pxPerMm);

}  // namespace lumora

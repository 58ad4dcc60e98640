// A millimetre drawing rendered to a PNG image or to an SVG document at true size.
#pragma once

#include <QByteArray>
#include <QImage>

#include "view/core/millimetre_surface.h"

class QIODevice;

namespace lumora {

// A surface of `widthPx` x `heightPx` pixels at `pxPerMm` pixels per millimetre, so that its
// middle falls on the middle of the image.
MillimetreSurface SurfaceForImage(int widthPx, int heightPx, double pxPerMm);

// The drawing on a white image of the surface's size, rounded to whole pixels.
QImage DrawingToImage(const MillimetreSurface& surface, double pxPerMm);

// The drawing as an SVG document whose width and height are given in millimetres and whose
// coordinates are millimetres; `pxPerMm` turns the pixel line widths into millimetres.
// False when the document cannot be written.
bool WriteDrawingSvg(const MillimetreSurface& surface, QIODevice& out, double pxPerMm);

enum class DrawingFormat { Png, Svg };

// The drawing as the bytes of a PNG image or of an SVG document; empty when it cannot be made.
QByteArray DrawingFileBytes(const MillimetreSurface& surface, DrawingFormat format, double pxPerMm);

}  // namespace lumora

#include "view/qt/drawing_files.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QPainter>
#include <QSvgGenerator>

#include "view/qt/drawing_painter.h"

namespace lumora {
namespace {

// The SVG generator sizes its document in whole device pixels; at 100 per millimetre the
// document's width and height in millimetres are exact to a hundredth.
constexpr double kSvgUnitsPerMm = 100;
constexpr int kSvgDotsPerInch = 2540;

int wholePixels(double mm, double pxPerMm) {
  return std::max(1, static_cast<int>(std::lround(mm * pxPerMm)));
}

bool writeSvg(const MillimetreSurface& surface, QIODevice& out, double pxPerMm) {
  QSvgGenerator svg;
  svg.setOutputDevice(&out);
  svg.setResolution(kSvgDotsPerInch);
  svg.setSize(QSize(wholePixels(surface.widthMm(), kSvgUnitsPerMm),
                    wholePixels(surface.heightMm(), kSvgUnitsPerMm)));
  svg.setViewBox(QRectF(0, 0, surface.widthMm(), surface.heightMm()));
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  painter.fillRect(QRectF(0, 0, surface.widthMm(), surface.heightMm()), Qt::white);
  paintDrawing(painter, surface, {1.0, 1.0, 1.0 / pxPerMm});
  return painter.end();
}

}  // namespace

MillimetreSurface surfaceForImage(int widthPx, int heightPx, double pxPerMm) {
  return MillimetreSurface(widthPx / pxPerMm, heightPx / pxPerMm);
}

QImage drawingToImage(const MillimetreSurface& surface, double pxPerMm) {
  QImage image(wholePixels(surface.widthMm(), pxPerMm), wholePixels(surface.heightMm(), pxPerMm),
               QImage::Format_RGB32);
  if (image.isNull()) return image;
  image.fill(Qt::white);
  QPainter painter(&image);
  paintDrawing(painter, surface, {pxPerMm, pxPerMm, 1.0});
  return image;
}

Result<QByteArray> drawingFileBytes(const MillimetreSurface& surface, DrawingFormat format, double pxPerMm) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (format == DrawingFormat::Png) {
    if (!drawingToImage(surface, pxPerMm).save(&buffer, "PNG")) return Problem{"the PNG image cannot be made"};
  } else if (!writeSvg(surface, buffer, pxPerMm)) {
    return Problem{"the SVG document cannot be written"};
  }
  return bytes;
}

}  // namespace lumora

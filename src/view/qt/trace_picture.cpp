#include "view/qt/trace_picture.h"

#include <algorithm>
#include <cmath>

#include <QApplication>
#include <QPainter>
#include <QResizeEvent>

#include "base/core/file_read.h"
#include "view/qt/drawing_painter.h"

namespace lumora {
namespace {

constexpr double kMmPerInch = 25.4;

// Physical dots per inch as the platform reports them; a platform that reports none is taken
// at its logical resolution.
double perMm(int physicalDpi, int logicalDpi) {
  return (physicalDpi > 0 ? physicalDpi : std::max(logicalDpi, 1)) / kMmPerInch;
}

}  // namespace

TracePicture::TracePicture(QWidget* parent) : QFrame(parent), surface_(1, 1) {
  setObjectName(QStringLiteral("picture"));
  setToolTip(QStringLiteral("Trace display window"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  syncSurfaceSize();
}

// The drawing's millimetres follow the widget's pixels.
void TracePicture::syncSurfaceSize() { surface_.resize(width() / pixelsPerMmX(), height() / pixelsPerMmY()); }

double TracePicture::pixelsPerMmX() const { return perMm(physicalDpiX(), logicalDpiX()); }
double TracePicture::pixelsPerMmY() const { return perMm(physicalDpiY(), logicalDpiY()); }

void TracePicture::setFixedSizeMm(double widthMm, double heightMm) {
  setFixedSize(static_cast<int>(std::lround(widthMm * pixelsPerMmX())),
               static_cast<int>(std::lround(heightMm * pixelsPerMmY())));
  syncSurfaceSize();
}

void TracePicture::setForeColour(int red, int green, int blue) { surface_.setForeColour(red, green, blue); }

void TracePicture::clearPicture() {
  surface_.clearPicture();
  update();
}

// The widget may have been resized while hidden, before any resize event: take its size now.
void TracePicture::setScaleModeMillimetres() {
  syncSurfaceSize();
  surface_.setScaleModeMillimetres();
}
double TracePicture::scaleWidth() const { return surface_.scaleWidth(); }
double TracePicture::scaleHeight() const { return surface_.scaleHeight(); }

void TracePicture::setUserScale(double left, double top, double right, double bottom) {
  surface_.setUserScale(left, top, right, bottom);
}

void TracePicture::setLineWidth(int pixels) { surface_.setLineWidth(pixels); }

void TracePicture::drawLine(double x1, double y1, double x2, double y2) {
  surface_.drawLine(x1, y1, x2, y2);
  update();
}

void TracePicture::drawCaption(double x, double y, std::string_view text) {
  surface_.drawCaption(x, y, text);
  update();
}

void TracePicture::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  paintDrawing(painter, surface_, {pixelsPerMmX(), pixelsPerMmY(), 1.0});
}

void TracePicture::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  syncSurfaceSize();
}

TraceRecord showTraceFile(const std::string& path, PictureSurface& picture, ScreenCalibration calibration) {
  TraceRecord trace;
  trace.process(readFileText(path));
  for (Side side : kBothSides)
    if (!trace.hasOutline(side)) QApplication::beep();
  trace.draw(picture, Side::Right, calibration);
  return trace;
}

}  // namespace lumora

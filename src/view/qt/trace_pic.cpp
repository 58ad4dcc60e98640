#include "view/qt/trace_pic.h"

#include <algorithm>
#include <cmath>

#include <QPainter>
#include <QResizeEvent>

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

TracePic::TracePic(QWidget* parent) : QFrame(parent), surface_(1, 1) {
  setObjectName(QStringLiteral("TracePic"));
  setToolTip(QStringLiteral("Trace display window"));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  QPalette colours = palette();
  colours.setColor(QPalette::Window, Qt::white);
  setPalette(colours);
  syncSurfaceSize();
}

// The drawing's millimetres follow the widget's pixels.
void TracePic::syncSurfaceSize() { surface_.resize(width() / pixelsPerMmX(), height() / pixelsPerMmY()); }

double TracePic::pixelsPerMmX() const { return perMm(physicalDpiX(), logicalDpiX()); }
double TracePic::pixelsPerMmY() const { return perMm(physicalDpiY(), logicalDpiY()); }

void TracePic::setFixedSizeMm(double widthMm, double heightMm) {
  setFixedSize(static_cast<int>(std::lround(widthMm * pixelsPerMmX())),
               static_cast<int>(std::lround(heightMm * pixelsPerMmY())));
  syncSurfaceSize();
}

void TracePic::setForeColour(int red, int green, int blue) { surface_.setForeColour(red, green, blue); }

void TracePic::clearPicture() {
  surface_.clearPicture();
  update();
}

// The widget may have been resized while hidden, before any resize event: take its size now.
void TracePic::setScaleModeMillimetres() {
  syncSurfaceSize();
  surface_.setScaleModeMillimetres();
}
double TracePic::scaleWidth() const { return surface_.scaleWidth(); }
double TracePic::scaleHeight() const { return surface_.scaleHeight(); }

void TracePic::setUserScale(double left, double top, double right, double bottom) {
  surface_.setUserScale(left, top, right, bottom);
}

void TracePic::setLineWidth(int pixels) { surface_.setLineWidth(pixels); }

void TracePic::drawLine(double x1, double y1, double x2, double y2) {
  surface_.drawLine(x1, y1, x2, y2);
  update();
}

void TracePic::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  PaintDrawing(painter, surface_.lines(), {pixelsPerMmX(), pixelsPerMmY(), 1.0});
}

void TracePic::resizeEvent(QResizeEvent* event) {
  QFrame::resizeEvent(event);
  syncSurfaceSize();
  emit resized();
}

}  // namespace lumora

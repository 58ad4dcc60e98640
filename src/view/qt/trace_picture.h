// The picture in which a trace is drawn at true size: a picture surface whose millimetres
// come from the screen's physical size. It keeps the last drawing and repaints it.
#pragma once

#include <string>

#include <QFrame>

#include "trace/core/trace_record.h"
#include "view/core/millimetre_surface.h"

namespace lumora {

class TracePicture : public QFrame, public PictureSurface {
  Q_OBJECT

 public:
  explicit TracePicture(QWidget* parent = nullptr);

  // Screen pixels per millimetre across and down, from the screen's physical resolution.
  double pixelsPerMmX() const;
  double pixelsPerMmY() const;
  // Fixes the widget's size to `widthMm` x `heightMm` millimetres of this screen.
  void setFixedSizeMm(double widthMm, double heightMm);
  // What is drawn, in millimetres from the left-top corner.
  const MillimetreSurface& drawing() const { return surface_; }

  void setForeColour(int red, int green, int blue) override;
  void clearPicture() override;
  void setScaleModeMillimetres() override;
  double scaleWidth() const override;
  double scaleHeight() const override;
  void setUserScale(double left, double top, double right, double bottom) override;
  void setLineWidth(int pixels) override;
  void drawLine(double x1, double y1, double x2, double y2) override;
  void drawCaption(double x, double y, std::string_view text) override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void syncSurfaceSize();

  MillimetreSurface surface_;
};

// Reads the trace file at `path` (UTF-8, or the bytes the link named it by), beeps once for
// each eye without an outline, and draws the right eye on `picture` at `calibration`. A file
// that is missing or no trace leaves the picture empty. Returns the trace, for its labels.
TraceRecord showTraceFile(const std::string& path, PictureSurface& picture, ScreenCalibration calibration);

}  // namespace lumora

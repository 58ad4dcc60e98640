// The picture in which a trace is drawn at true size: a picture surface whose millimetres
// come from the screen's physical size. It keeps the last drawing and repaints it.
#pragma once

#include <QFrame>

#include "view/core/millimetre_surface.h"

namespace lumora {

class TracePic : public QFrame, public PictureSurface {
  Q_OBJECT

 public:
  explicit TracePic(QWidget* parent = nullptr);

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

 signals:
  // The picture has a new size; the kept drawing stays where it was, so its owner may want
  // to draw again around the new middle.
  void resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void syncSurfaceSize();

  MillimetreSurface surface_;
};

}  // namespace lumora

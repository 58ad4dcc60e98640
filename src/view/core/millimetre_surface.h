// A picture surface of a known physical size that keeps what is drawn as lines in
// millimetres from its left-top corner, so that a screen, an image or an SVG can paint the
// same drawing at true size.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "trace/core/picture_surface.h"

namespace lumora {

// One drawn line: ends in millimetres from the surface's left-top corner (y grows down),
// colour as 0xRRGGBB, width in device pixels.
struct DrawnLine {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::uint32_t colour = 0;
  int widthPixels = 1;
};

// One caption: its middle in millimetres from the surface's left-top corner, colour as
// 0xRRGGBB; kCaptionHeightMm high.
struct DrawnCaption {
  double x = 0, y = 0;
  std::string text;
  std::uint32_t colour = 0;
};

// Lines are kept within this distance around the surface (mm); longer ones are cut there, so
// absurd radii cannot make a painter work with coordinates of astronomical size.
inline constexpr double kClipMarginMm = 10;

class MillimetreSurface : public PictureSurface {
 public:
  // Sizes in millimetres; the scale starts in millimetres with the origin at the left-top.
  MillimetreSurface(double widthMm, double heightMm);

  // A new physical size (the window was resized). The kept lines stay where they are; a
  // millimetre scale follows the new size, a user scale keeps its corners.
  void resize(double widthMm, double heightMm);
  double widthMm() const { return width_; }
  double heightMm() const { return height_; }
  const std::vector<DrawnLine>& lines() const { return lines_; }
  const std::vector<DrawnCaption>& captions() const { return captions_; }

  void setForeColour(int red, int green, int blue) override;
  void clearPicture() override;
  void setScaleModeMillimetres() override;
  double scaleWidth() const override { return scaleWidth_; }
  double scaleHeight() const override { return scaleHeight_; }
  // A scale without extent (both corners on one line) or with a corner that is not a finite
  // number cannot map anything: it is ignored and the current scale stays.
  void setUserScale(double left, double top, double right, double bottom) override;
  void setLineWidth(int pixels) override;
  // Lines with an end that is not a finite number are skipped.
  void drawLine(double x1, double y1, double x2, double y2) override;
  // A caption whose middle is off the surface, or not a finite number, is skipped.
  void drawCaption(double x, double y, std::string_view text) override;

 private:
  double width_, height_;
  bool userScale_ = false;
  double left_ = 0, top_ = 0;  // user coordinates of the left-top corner
  double scaleWidth_, scaleHeight_;  // user units across the surface
  std::uint32_t colour_ = 0;
  int lineWidth_ = 1;
  std::vector<DrawnLine> lines_;
  std::vector<DrawnCaption> captions_;
};

}  // namespace lumora

#include "view/core/millimetre_surface.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace lumora {
namespace {

bool finite(double a, double b, double c, double d) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c) && std::isfinite(d);
}

std::uint32_t clampedChannel(int value) {
  return static_cast<std::uint32_t>(std::clamp(value, 0, 255));
}

// The part of the line inside the rectangle [left, right] x [top, bottom]; nothing when the
// line misses it or an end is not a finite number. Liang-Barsky: the line is
// p(t) = p1 + t (p2 - p1), 0 <= t <= 1; each edge narrows t.
std::optional<DrawnLine> clipLine(DrawnLine line, double left, double top, double right, double bottom) {
  if (!finite(line.x1, line.y1, line.x2, line.y2)) return std::nullopt;
  const double dx = line.x2 - line.x1, dy = line.y2 - line.y1;
  if (!std::isfinite(dx) || !std::isfinite(dy)) return std::nullopt;
  const double p[4] = {-dx, dx, -dy, dy};
  const double q[4] = {line.x1 - left, right - line.x1, line.y1 - top, bottom - line.y1};
  double t0 = 0, t1 = 1;
  for (int edge = 0; edge < 4; ++edge) {
    if (p[edge] == 0) {
      if (q[edge] < 0) return std::nullopt;  // parallel to this edge and outside it
      continue;
    }
    const double t = q[edge] / p[edge];
    if (p[edge] < 0) t0 = std::max(t0, t);
    else t1 = std::min(t1, t);
  }
  if (t0 > t1) return std::nullopt;
  DrawnLine cut = line;
  cut.x1 = line.x1 + t0 * dx, cut.y1 = line.y1 + t0 * dy;
  cut.x2 = line.x1 + t1 * dx, cut.y2 = line.y1 + t1 * dy;
  return cut;
}

}  // namespace

MillimetreSurface::MillimetreSurface(double widthMm, double heightMm)
    : width_(widthMm), height_(heightMm), scaleWidth_(widthMm), scaleHeight_(heightMm) {}

void MillimetreSurface::resize(double widthMm, double heightMm) {
  width_ = widthMm, height_ = heightMm;
  if (!userScale_) scaleWidth_ = widthMm, scaleHeight_ = heightMm;
}

void MillimetreSurface::setForeColour(int red, int green, int blue) {
  colour_ = clampedChannel(red) << 16 | clampedChannel(green) << 8 | clampedChannel(blue);
}

void MillimetreSurface::clearPicture() {
  lines_.clear();
  captions_.clear();
}

void MillimetreSurface::setScaleModeMillimetres() {
  userScale_ = false;
  left_ = top_ = 0;
  scaleWidth_ = width_, scaleHeight_ = height_;
}

void MillimetreSurface::setUserScale(double left, double top, double right, double bottom) {
  const double w = right - left, h = bottom - top;
  if (!finite(left, top, w, h) || w == 0 || h == 0) return;
  userScale_ = true;
  left_ = left, top_ = top, scaleWidth_ = w, scaleHeight_ = h;
}

void MillimetreSurface::setLineWidth(int pixels) { lineWidth_ = std::max(pixels, 1); }

void MillimetreSurface::drawLine(double x1, double y1, double x2, double y2) {
  const double sx = width_ / scaleWidth_, sy = height_ / scaleHeight_;
  const DrawnLine line{(x1 - left_) * sx, (y1 - top_) * sy, (x2 - left_) * sx, (y2 - top_) * sy,
                       colour_, lineWidth_};
  const auto inside = clipLine(line, -kClipMarginMm, -kClipMarginMm, width_ + kClipMarginMm,
                               height_ + kClipMarginMm);
  if (inside) lines_.push_back(*inside);
}

void MillimetreSurface::drawCaption(double x, double y, std::string_view text) {
  const double mmX = (x - left_) * (width_ / scaleWidth_), mmY = (y - top_) * (height_ / scaleHeight_);
  if (!(mmX >= 0 && mmX <= width_ && mmY >= 0 && mmY <= height_)) return;
  captions_.push_back({mmX, mmY, std::string(text), colour_});
}

}  // namespace lumora

#include "view/core/window_place.h"

#include <algorithm>

namespace lumora {
namespace {

int clampTo(int start, int length, int areaStart, int areaLength) {
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

DesktopBox placeClearOf(const DesktopBox& keepClear, int width, int height, const DesktopBox& screen) {
  const int right = keepClear.left + keepClear.width, bottom = keepClear.top + keepClear.height;
  const int screenRight = screen.left + screen.width, screenBottom = screen.top + screen.height;
  const int top = clampTo(keepClear.top, height, screen.top, screen.height);
  const int left = clampTo(keepClear.left, width, screen.left, screen.width);
  if (right + width <= screenRight) return {right, top, width, height};
  if (keepClear.left - width >= screen.left) return {keepClear.left - width, top, width, height};
  if (bottom + height <= screenBottom) return {left, bottom, width, height};
  if (keepClear.top - height >= screen.top) return {left, keepClear.top - height, width, height};
  return {screenRight - width, top, width, height};
}

}  // namespace lumora

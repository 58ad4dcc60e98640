#include "view/core/window_place.h"

#include <algorithm>

namespace lumora {
namespace {

int clampTo(int start, int length, int areaStart, int areaLength) {
  return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}

}  // namespace

std::optional<DesktopBox> placeClearOf(const DesktopBox& keepClear, int width, int height, const DesktopBox& screen) {
  const int right = keepClear.left + keepClear.width, bottom = keepClear.top + keepClear.height;
  const int screenRight = screen.left + screen.width, screenBottom = screen.top + screen.height;
  const int top = clampTo(keepClear.top, height, screen.top, screen.height);
  const int left = clampTo(keepClear.left, width, screen.left, screen.width);
  if (right + width <= screenRight) return DesktopBox{right, top, width, height};
  if (keepClear.left - width >= screen.left) return DesktopBox{keepClear.left - width, top, width, height};
  if (bottom + height <= screenBottom) return DesktopBox{left, bottom, width, height};
  if (keepClear.top - height >= screen.top) return DesktopBox{left, keepClear.top - height, width, height};
  return std::nullopt;
}

}  // namespace lumora

// Where a dialog opens so that it does not hide what it draws on.
#pragma once

#include <optional>

namespace lumora {

// A rectangle on the desktop, in pixels.
struct DesktopBox {
  int left = 0, top = 0, width = 0, height = 0;
};

// The place of a window `width` x `height` on `screen` that leaves `keepClear` uncovered:
// beside it on the right, else on the left, else below, else above; nothing where none fits.
std::optional<DesktopBox> placeClearOf(const DesktopBox& keepClear, int width, int height, const DesktopBox& screen);

}  // namespace lumora

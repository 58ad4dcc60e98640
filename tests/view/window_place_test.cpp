#include "view/core/window_place.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

bool same(const std::optional<DesktopBox>& a, const DesktopBox& b) {
  return a && a->left == b.left && a->top == b.top && a->width == b.width && a->height == b.height;
}

// Right of the picture where there is room, else left, else below; kept on the screen;
// nowhere when it fits on no side.
TEST(PlaceClearOf, GoesBesideThePictureWhereItFits) {
  const DesktopBox screen{0, 0, 1000, 800};
  EXPECT_TRUE(same(placeClearOf({100, 700, 400, 300}, 300, 400, screen), {500, 400, 300, 400}));
  EXPECT_TRUE(same(placeClearOf({500, 100, 400, 300}, 300, 400, screen), {200, 100, 300, 400}));
  EXPECT_TRUE(same(placeClearOf({100, 50, 800, 300}, 300, 400, screen), {100, 350, 300, 400}));
  EXPECT_FALSE(placeClearOf({0, 100, 900, 600}, 300, 400, screen));
}

}  // namespace
}  // namespace lumora

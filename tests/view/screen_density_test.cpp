#include "view/core/screen_density.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

// Common screens pass; no size, a density no screen has, or pixels far from square do not.
TEST(TrueSizeProblem, NamesScreensWithoutAPlausibleSize) {
  for (const ScreenReport screen : {ScreenReport{1920, 1080, 531, 299}, ScreenReport{3840, 2160, 294, 165},
                                    ScreenReport{1920, 1080, 1210, 680}})
    EXPECT_FALSE(trueSizeProblem(screen)) << screen.widthMm;
  EXPECT_TRUE(trueSizeProblem({1920, 1080, 0, 0})->text.starts_with("This screen does not report its size."));
  for (const ScreenReport screen : {ScreenReport{1920, 1080, 1600, 900}, ScreenReport{1920, 1080, 50, 28},
                                    ScreenReport{1920, 1080, 531, 200}})
    EXPECT_TRUE(trueSizeProblem(screen)) << screen.widthMm;
}

}  // namespace
}  // namespace lumora

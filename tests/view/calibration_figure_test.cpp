#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "base/core/shared_values.h"
#include "view/core/calibration_figure.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

constexpr std::uint32_t kBlue = 0x0000FF, kBlack = 0;

class CalibrationFigureTest : public ::testing::Test {
 protected:
  std::optional<CalibrationLabels> draw(double h, double v) {
    return DrawCalibrationFigure(surface, ReferenceCircle(), h, v);
  }
  // The box of the black outline (mm): left, top, right, bottom.
  std::array<double, 4> outlineBox() const {
    std::array<double, 4> box{1e9, 1e9, -1e9, -1e9};
    for (const DrawnLine& l : surface.lines()) {
      if (l.Colour != kBlack) continue;
      box = {std::min({box[0], l.X1, l.X2}), std::min({box[1], l.Y1, l.Y2}), std::max({box[2], l.X1, l.X2}),
             std::max({box[3], l.Y1, l.Y2})};
    }
    return box;
  }
  MillimetreSurface surface{90, 70};
};

TEST_F(CalibrationFigureTest, BlueAxesThenTheBlackNominalCircleAroundTheMiddle) {
  Shared().MirrorSign = -1;
  const auto labels = draw(1, 1);
  ASSERT_TRUE(labels);
  EXPECT_EQ(std::tie(labels->A, labels->B, labels->C, labels->ED),
            std::make_tuple("A: 50.00", "B: 50.00", "C: 157.08", "ED: 50.00"));
  EXPECT_EQ(Shared().MirrorSign, 1);
  ASSERT_EQ(surface.lines().size(), 402u);
  EXPECT_EQ(surface.lines()[0].Colour, kBlue);
  for (std::size_t i = 2; i < 402; ++i) {
    EXPECT_NEAR(std::hypot(surface.lines()[i].X1 - 45, surface.lines()[i].Y1 - 35), 25, 1e-9);
  }
}

// Zero and negative factors flatten or mirror the circle about the middle without failing.
TEST_F(CalibrationFigureTest, FactorsScaleTheDrawingAboutTheMiddleNotTheLabels) {
  const std::array<double, 4> cases[] = {{1.015, 0.9, 50.75, 45}, {0, 1, 0, 50}, {-0.5, 1, 25, 50}};
  for (const auto& [h, v, width, height] : cases) {
    SCOPED_TRACE(h);
    EXPECT_EQ(draw(h, v)->A, "A: 50.00");
    const auto [left, top, right, bottom] = outlineBox();
    EXPECT_NEAR(right - left, width, 1e-9);
    EXPECT_NEAR(bottom - top, height, 1e-9);
    EXPECT_NEAR((left + right) / 2, 45, 1e-9);
  }
}

}  // namespace
}  // namespace lumora

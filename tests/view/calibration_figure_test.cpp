#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "trace/core/shared_values.h"
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
  // The box of the black outline (mm).
  std::array<double, 4> outlineBox() const {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const DrawnLine& l : surface.lines()) {
      if (l.Colour != kBlack) continue;
      minX = std::min({minX, l.X1, l.X2}), maxX = std::max({maxX, l.X1, l.X2});
      minY = std::min({minY, l.Y1, l.Y2}), maxY = std::max({maxY, l.Y1, l.Y2});
    }
    return {minX, minY, maxX, maxY};
  }
  MillimetreSurface surface{90, 70};
};

TEST_F(CalibrationFigureTest, BlueAxesThenTheBlackNominalCircleAroundTheMiddle) {
  Shared().MirrorSign = -1;
  const auto labels = draw(1, 1);
  ASSERT_TRUE(labels);
  EXPECT_EQ(labels->A, "A: 50.00");
  EXPECT_EQ(labels->B, "B: 50.00");
  EXPECT_EQ(labels->C, "C: 157.08");
  EXPECT_EQ(labels->ED, "ED: 50.00");
  EXPECT_EQ(Shared().MirrorSign, 1);
  ASSERT_EQ(surface.lines().size(), 402u);
  EXPECT_EQ(surface.lines()[0].Colour, kBlue);
  EXPECT_DOUBLE_EQ(surface.lines()[0].Y1, 35);
  EXPECT_DOUBLE_EQ(surface.lines()[1].X1, 45);
  for (std::size_t i = 2; i < 402; ++i) {
    const DrawnLine& l = surface.lines()[i];
    EXPECT_EQ(l.Colour, kBlack);
    EXPECT_NEAR(std::hypot(l.X1 - 45, l.Y1 - 35), 25, 1e-9);
  }
}

// Zero and negative factors flatten or mirror the circle about the middle without failing.
TEST_F(CalibrationFigureTest, FactorsScaleTheDrawingAboutTheMiddleNotTheLabels) {
  const std::array<double, 4> cases[] = {
      {1.1, 1, 55, 50}, {1.015, 0.9, 50.75, 45}, {0, 1, 0, 50}, {-0.5, 1, 25, 50}};
  for (const auto& [h, v, width, height] : cases) {
    SCOPED_TRACE(h);
    EXPECT_EQ(draw(h, v)->A, "A: 50.00");
    const auto [left, top, right, bottom] = outlineBox();
    EXPECT_NEAR(right - left, width, 1e-9);
    EXPECT_NEAR(bottom - top, height, 1e-9);
    EXPECT_NEAR((left + right) / 2, 45, 1e-9);
  }
}

TEST_F(CalibrationFigureTest, FirstRadiusNotPositiveDrawsNothingLargestRadiusGivesED) {
  surface.drawLine(1, 1, 2, 2);
  std::vector<double> radii = ReferenceCircle();
  radii[0] = 0;
  EXPECT_FALSE(DrawCalibrationFigure(surface, radii, 1, 1));
  EXPECT_FALSE(DrawCalibrationFigure(surface, {}, 1, 1));
  EXPECT_EQ(surface.lines().size(), 1u);  // not even cleared
  radii = ReferenceCircle();
  radii[123] = 3000;
  EXPECT_EQ(DrawCalibrationFigure(surface, radii, 1, 1)->ED, "ED: 60.00");
}

}  // namespace
}  // namespace lumora

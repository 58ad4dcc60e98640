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
  // Extent of the black outline (mm): width and height.
  std::pair<double, double> outlineSize() const {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const DrawnLine& l : surface.lines()) {
      if (l.Colour != kBlack) continue;
      minX = std::min({minX, l.X1, l.X2}), maxX = std::max({maxX, l.X1, l.X2});
      minY = std::min({minY, l.Y1, l.Y2}), maxY = std::max({maxY, l.Y1, l.Y2});
    }
    return {maxX - minX, maxY - minY};
  }
  MillimetreSurface surface{90, 70};
};

}  // namespace

TEST_F(CalibrationFigureTest, Labels_ReadTheNominalCircle) {
  const auto labels = draw(1, 1);
  ASSERT_TRUE(labels);
  EXPECT_EQ(labels->A, "A: 50.00");
  EXPECT_EQ(labels->B, "B: 50.00");
  EXPECT_EQ(labels->C, "C: 157.08");
  EXPECT_EQ(labels->ED, "ED: 50.00");
}

TEST_F(CalibrationFigureTest, BlueAxesThenBlackOutlineAroundTheMiddle) {
  Shared().MirrorSign = -1;
  draw(1, 1);
  EXPECT_EQ(Shared().MirrorSign, 1);
  ASSERT_EQ(surface.lines().size(), 402u);
  EXPECT_EQ(surface.lines()[0].Colour, kBlue);
  EXPECT_DOUBLE_EQ(surface.lines()[0].Y1, 35);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X2, 90);
  EXPECT_DOUBLE_EQ(surface.lines()[1].X1, 45);
  for (std::size_t i = 2; i < 402; ++i) {
    const DrawnLine& l = surface.lines()[i];
    EXPECT_EQ(l.Colour, kBlack);
    EXPECT_NEAR(std::hypot(l.X1 - 45, l.Y1 - 35), 25, 1e-9);
  }
}

TEST_F(CalibrationFigureTest, Biases_ScaleTheDrawingNotTheLabels) {
  const auto labels = draw(1.1, 1);
  const auto [w, h] = outlineSize();
  EXPECT_NEAR(w, 55, 1e-9);
  EXPECT_NEAR(h, 50, 1e-9);
  EXPECT_EQ(labels->A, "A: 50.00");
  draw(1.015, 0.9);
  EXPECT_NEAR(outlineSize().first, 50.75, 1e-9);
  EXPECT_NEAR(outlineSize().second, 45, 1e-9);
}

TEST_F(CalibrationFigureTest, ZeroOrNegativeBias_StaysCentredAndLabelsStayNominal) {
  const auto labels = draw(0, 1);
  ASSERT_TRUE(labels);
  EXPECT_EQ(labels->A, "A: 50.00");
  for (const DrawnLine& l : surface.lines()) {
    if (l.Colour == kBlack) {
      EXPECT_DOUBLE_EQ(l.X1, 45);  // flattened onto the middle line
    }
  }
  EXPECT_EQ(draw(-0.5, 1)->A, "A: 50.00");
  EXPECT_NEAR(outlineSize().first, 25, 1e-9);
}

TEST_F(CalibrationFigureTest, FirstRadiusNotPositive_DrawsNothing) {
  surface.drawLine(1, 1, 2, 2);
  std::vector<double> radii = ReferenceCircle();
  radii[0] = 0;
  EXPECT_FALSE(DrawCalibrationFigure(surface, radii, 1, 1));
  EXPECT_FALSE(DrawCalibrationFigure(surface, {}, 1, 1));
  EXPECT_EQ(surface.lines().size(), 1u);  // not even cleared
}

TEST_F(CalibrationFigureTest, LargestRadius_GivesTheEffectiveDiameter) {
  std::vector<double> radii = ReferenceCircle();
  radii[123] = 3000;
  EXPECT_EQ(draw(1, 1)->ED, "ED: 50.00");
  EXPECT_EQ(DrawCalibrationFigure(surface, radii, 1, 1)->ED, "ED: 60.00");
}

}  // namespace lumora

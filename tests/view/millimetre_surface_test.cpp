#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "packets.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

using testing::CirclePacket;

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

clsVCATrace circleTrace(std::size_t radii) {
  clsVCATrace trace;
  trace.ProcessTrace(CirclePacket(radii, 2500));
  return trace;
}

class MillimetreSurfaceTest : public ::testing::Test {
 protected:
  void TearDown() override { Shared().HBias = Shared().VBias = 1.0; }
  MillimetreSurface surface{100, 80};
};

// The outline's line ends, as offsets from the middle of the surface (mm).
std::vector<std::pair<double, double>> outlineOffsets(const MillimetreSurface& s) {
  std::vector<std::pair<double, double>> out;
  for (const DrawnLine& line : s.lines()) {
    if (line.WidthPixels == 2) out.emplace_back(line.X1 - s.widthMm() / 2, line.Y1 - s.heightMm() / 2);
  }
  return out;
}

}  // namespace

TEST_F(MillimetreSurfaceTest, Circle_IsDrawnAs25mmRadiusAroundTheMiddle) {
  circleTrace(400).DrawTrace(surface, 0);
  const auto offsets = outlineOffsets(surface);
  ASSERT_EQ(offsets.size(), 400u);
  for (const auto& [dx, dy] : offsets) EXPECT_NEAR(std::hypot(dx, dy), 25.0, 1e-9);
  EXPECT_NEAR(offsets[0].first, 25.0, 1e-9);   // angle 0 to the right
  EXPECT_NEAR(offsets[100].second, -25.0, 1e-9);  // 90 degrees upward
  EXPECT_EQ(surface.lines()[0].Colour, 0x00FF00u);
}

TEST_F(MillimetreSurfaceTest, Axes_CrossAtTheMiddleOverTheWholeSurface) {
  circleTrace(400).DrawTrace(surface, 0);
  ASSERT_EQ(surface.lines().size(), 402u);
  const DrawnLine& vertical = surface.lines()[400];
  const DrawnLine& horizontal = surface.lines()[401];
  EXPECT_EQ(vertical.WidthPixels, 1);
  EXPECT_DOUBLE_EQ(vertical.X1, 50);
  EXPECT_DOUBLE_EQ(vertical.Y1, 0);
  EXPECT_DOUBLE_EQ(vertical.Y2, 80);
  EXPECT_DOUBLE_EQ(horizontal.X1, 0);
  EXPECT_DOUBLE_EQ(horizontal.X2, 100);
  EXPECT_DOUBLE_EQ(horizontal.Y1, 40);
}

TEST_F(MillimetreSurfaceTest, HorizontalBias_MakesTheCircleAQuarterWider) {
  Shared().HBias = 1.25;
  circleTrace(400).DrawTrace(surface, 0);
  const auto offsets = outlineOffsets(surface);
  ASSERT_EQ(offsets.size(), 400u);
  for (const auto& [dx, dy] : offsets) EXPECT_NEAR(std::hypot(dx / 1.25, dy), 25.0, 1e-9);
  EXPECT_NEAR(offsets[0].first, 31.25, 1e-9);
  EXPECT_NEAR(offsets[100].second, -25.0, 1e-9);
}

TEST_F(MillimetreSurfaceTest, FiftyRadii_DrawNothingFiftyOneDraw) {
  circleTrace(400).DrawTrace(surface, 0);
  circleTrace(50).DrawTrace(surface, 0);
  EXPECT_TRUE(surface.lines().empty());
  circleTrace(51).DrawTrace(surface, 0);
  EXPECT_EQ(surface.lines().size(), 53u);
}

TEST_F(MillimetreSurfaceTest, MillimetreScale_FollowsAResizeUserScaleDoesNot) {
  surface.resize(120, 90);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 120);
  surface.setUserScale(-1, -1, 1, 1);
  surface.resize(60, 60);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 2);
  surface.drawLine(0, 0, 1, 1);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X1, 30);
  EXPECT_DOUBLE_EQ(surface.lines()[0].Y2, 60);
}

TEST_F(MillimetreSurfaceTest, DegenerateUserScale_IsIgnored) {
  surface.setUserScale(-10, -10, 10, 10);
  surface.setUserScale(5, 0, 5, 10);
  surface.setUserScale(0, 0, kNaN, 10);
  surface.setUserScale(0, 0, std::numeric_limits<double>::infinity(), 10);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 20);
  surface.setScaleModeMillimetres();
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 100);
}

TEST_F(MillimetreSurfaceTest, NonFiniteLine_IsSkipped) {
  surface.drawLine(kNaN, 0, 10, 10);
  surface.drawLine(0, 0, std::numeric_limits<double>::infinity(), 10);
  surface.drawLine(-1e308, 0, 1e308, 0);  // the difference overflows
  EXPECT_TRUE(surface.lines().empty());
}

TEST_F(MillimetreSurfaceTest, HugeLine_IsCutAtTheMarginAroundTheSurface) {
  surface.drawLine(50, 40, 1e300, 40);
  ASSERT_EQ(surface.lines().size(), 1u);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X1, 50);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X2, 100 + kClipMarginMm);
}

TEST_F(MillimetreSurfaceTest, ColourAndWidth_AreKeptPerLine) {
  surface.setForeColour(300, -5, 128);
  surface.setLineWidth(0);
  surface.drawLine(1, 1, 2, 2);
  EXPECT_EQ(surface.lines()[0].Colour, 0xFF0080u);
  EXPECT_EQ(surface.lines()[0].WidthPixels, 1);
}

TEST(ClipLine, LineOutsideIsDropped) {
  EXPECT_FALSE(ClipLine({-5, -5, -1, 20}, 0, 0, 10, 10));
  EXPECT_FALSE(ClipLine({20, 5, 20, 6}, 0, 0, 10, 10));  // parallel to an edge, outside
}

TEST(ClipLine, CrossingLineIsCutAtBothEdges) {
  const auto cut = ClipLine({-10, 5, 20, 5}, 0, 0, 10, 10);
  ASSERT_TRUE(cut);
  EXPECT_DOUBLE_EQ(cut->X1, 0);
  EXPECT_DOUBLE_EQ(cut->X2, 10);
  EXPECT_DOUBLE_EQ(cut->Y2, 5);
}

TEST(ClipLine, DiagonalIsCutWhereItLeaves) {
  const auto cut = ClipLine({5, 5, 15, 15}, 0, 0, 10, 10);
  ASSERT_TRUE(cut);
  EXPECT_DOUBLE_EQ(cut->X1, 5);
  EXPECT_DOUBLE_EQ(cut->X2, 10);
  EXPECT_DOUBLE_EQ(cut->Y2, 10);
}

}  // namespace lumora

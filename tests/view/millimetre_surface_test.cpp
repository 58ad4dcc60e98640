#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "packets.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class MillimetreSurfaceTest : public ::testing::Test {
 protected:
  void TearDown() override { Shared().HBias = Shared().VBias = 1.0; }
  void drawCircle(std::size_t radii = 400) {
    clsVCATrace trace;
    trace.ProcessTrace(testing::CirclePacket(radii, 2500));
    trace.DrawTrace(surface, 0);
  }
  // The outline's line starts, as offsets from the middle of the surface (mm).
  std::vector<std::pair<double, double>> outlineOffsets() const {
    std::vector<std::pair<double, double>> out;
    for (const DrawnLine& line : surface.lines()) {
      if (line.WidthPixels == 2) out.emplace_back(line.X1 - 50, line.Y1 - 40);
    }
    return out;
  }
  MillimetreSurface surface{100, 80};
};

TEST_F(MillimetreSurfaceTest, CircleIs25mmRadiusAroundTheMiddleThenTheAxes) {
  drawCircle();
  const auto offsets = outlineOffsets();
  ASSERT_EQ(offsets.size(), 400u);
  for (const auto& [dx, dy] : offsets) EXPECT_NEAR(std::hypot(dx, dy), 25.0, 1e-9);
  EXPECT_NEAR(offsets[0].first, 25.0, 1e-9);      // angle 0 to the right
  EXPECT_NEAR(offsets[100].second, -25.0, 1e-9);  // 90 degrees upward
  EXPECT_EQ(surface.lines()[0].Colour, 0x00FF00u);
  ASSERT_EQ(surface.lines().size(), 402u);
  const DrawnLine& vertical = surface.lines()[400];
  const DrawnLine& horizontal = surface.lines()[401];
  EXPECT_EQ(vertical.WidthPixels, 1);
  EXPECT_EQ(std::tie(vertical.X1, vertical.Y1, vertical.X2, vertical.Y2), std::make_tuple(50.0, 0.0, 50.0, 80.0));
  EXPECT_EQ(std::tie(horizontal.X1, horizontal.Y1, horizontal.X2, horizontal.Y2),
            std::make_tuple(0.0, 40.0, 100.0, 40.0));
}

TEST_F(MillimetreSurfaceTest, HorizontalBiasMakesTheCircleAQuarterWider) {
  Shared().HBias = 1.25;
  drawCircle();
  const auto offsets = outlineOffsets();
  ASSERT_EQ(offsets.size(), 400u);
  for (const auto& [dx, dy] : offsets) EXPECT_NEAR(std::hypot(dx / 1.25, dy), 25.0, 1e-9);
  EXPECT_NEAR(offsets[0].first, 31.25, 1e-9);
}

TEST_F(MillimetreSurfaceTest, FiftyRadiiClearTheSurfaceFiftyOneDraw) {
  drawCircle();
  drawCircle(50);
  EXPECT_TRUE(surface.lines().empty());
  drawCircle(51);
  EXPECT_EQ(surface.lines().size(), 53u);
}

TEST_F(MillimetreSurfaceTest, MillimetreScaleFollowsAResizeUserScaleDoesNotAndDegenerateOnesAreIgnored) {
  surface.resize(120, 90);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 120);
  surface.setUserScale(-1, -1, 1, 1);
  for (const double right : {-1.0, kNaN, kInf}) surface.setUserScale(-1, -1, right, 1);
  surface.resize(60, 60);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 2);
  surface.drawLine(0, 0, 1, 1);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X1, 30);
  EXPECT_DOUBLE_EQ(surface.lines()[0].Y2, 60);
  surface.setScaleModeMillimetres();
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 60);
}

TEST_F(MillimetreSurfaceTest, NonFiniteLinesAreSkippedHugeOnesCutAtTheMargin) {
  surface.drawLine(kNaN, 0, 10, 10);
  surface.drawLine(0, 0, kInf, 10);
  surface.drawLine(-1e308, 0, 1e308, 0);  // the difference overflows
  EXPECT_TRUE(surface.lines().empty());
  surface.drawLine(50, 40, 1e300, 40);
  ASSERT_EQ(surface.lines().size(), 1u);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X1, 50);
  EXPECT_DOUBLE_EQ(surface.lines()[0].X2, 100 + kClipMarginMm);
}

TEST_F(MillimetreSurfaceTest, ColourComponentsAndWidthAreClamped) {
  surface.setForeColour(300, -5, 128);
  surface.setLineWidth(0);
  surface.drawLine(1, 1, 2, 2);
  EXPECT_EQ(surface.lines()[0].Colour, 0xFF0080u);
  EXPECT_EQ(surface.lines()[0].WidthPixels, 1);
}

TEST(ClipLine, DropsWhatLiesOutsideAndCutsWhereALineLeaves) {
  struct Case {
    DrawnLine line;
    std::optional<std::array<double, 4>> cut;
  };
  const Case cases[] = {
      {{-5, -5, -1, 20}, std::nullopt},
      {{20, 5, 20, 6}, std::nullopt},  // parallel to an edge, outside
      {{-10, 5, 20, 5}, std::array{0.0, 5.0, 10.0, 5.0}},
      {{5, 5, 15, 15}, std::array{5.0, 5.0, 10.0, 10.0}}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line.X1);
    const auto cut = ClipLine(c.line, 0, 0, 10, 10);
    ASSERT_EQ(cut.has_value(), c.cut.has_value());
    if (cut) {
      EXPECT_EQ((std::array{cut->X1, cut->Y1, cut->X2, cut->Y2}), *c.cut);
    }
  }
}

}  // namespace
}  // namespace lumora

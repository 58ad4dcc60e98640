#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "trace_packets.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

std::array<double, 5> ends(const DrawnLine& l) { return {l.x1, l.y1, l.x2, l.y2, double(l.widthPixels)}; }

// A trace is drawn at true size around the middle, each millimetre `horizontal` times wider,
// in green; then the axes. Fewer than 51 radii clear the picture only; a factor of 0 cannot
// scale, and the millimetre scale stays, its origin at the left-top.
TEST(MillimetreSurface, ACircleIs25mmRadiusAroundTheMiddleThenTheAxes) {
  MillimetreSurface surface{100, 80};
  const TraceRecord circle = testing::processed(testing::circlePacket(400, 2500));
  for (const double horizontal : {1.0, 1.25}) {
    circle.draw(surface, Side::Right, {horizontal, 1});
    ASSERT_EQ(surface.lines().size(), 402u);
    for (std::size_t i = 0; i < 400; ++i)
      EXPECT_NEAR(std::hypot((surface.lines()[i].x1 - 50) / horizontal, surface.lines()[i].y1 - 40), 25.0, 1e-9);
    EXPECT_NEAR(surface.lines()[0].x1, 50 + 25.0 * horizontal, 1e-9);  // angle 0 to the right
    EXPECT_NEAR(surface.lines()[100].y1, 40 - 25.0, 1e-9);              // 90 degrees upward
  }
  EXPECT_EQ(surface.lines()[0].colour, 0x00FF00u);
  EXPECT_EQ(ends(surface.lines()[400]), (std::array{50.0, 0.0, 50.0, 80.0, 1.0}));
  EXPECT_EQ(ends(surface.lines()[401]), (std::array{0.0, 40.0, 100.0, 40.0, 1.0}));
  circle.draw(surface, Side::Right, {1.25, 0});
  EXPECT_NEAR(surface.lines()[0].x1, 25, 1e-9);
  EXPECT_NEAR(surface.lines()[0].y1, 0, 1e-9);
  testing::processed(testing::circlePacket(50, 2500)).draw(surface, Side::Right, {});
  EXPECT_TRUE(surface.lines().empty());
}

// A degenerate user scale is ignored; lines that are not finite are skipped, huge ones cut
// at the margin.
TEST(MillimetreSurface, TheMillimetreScaleFollowsAResizeAUserScaleKeepsItsCorners) {
  MillimetreSurface surface{100, 80};
  surface.resize(120, 90);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 120);
  surface.setUserScale(-1, -1, 1, 1);
  for (const double right : {-1.0, kNaN, kInf}) surface.setUserScale(-1, -1, right, 1);
  surface.resize(60, 60);
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 2);
  surface.drawLine(0, 0, 1, 1);
  EXPECT_EQ(ends(surface.lines()[0]), (std::array{30.0, 30.0, 60.0, 60.0, 1.0}));
  surface.setScaleModeMillimetres();
  EXPECT_DOUBLE_EQ(surface.scaleWidth(), 60);
  surface.clearPicture();
  surface.drawLine(kNaN, 0, 10, 10);
  surface.drawLine(0, 0, kInf, 10);
  surface.drawLine(-1e308, 0, 1e308, 0);  // the difference overflows
  EXPECT_TRUE(surface.lines().empty());
  surface.drawLine(30, 40, 1e300, 40);
  ASSERT_EQ(surface.lines().size(), 1u);
  EXPECT_DOUBLE_EQ(surface.lines()[0].x1, 30);
  EXPECT_DOUBLE_EQ(surface.lines()[0].x2, 60 + kClipMarginMm);
}

}  // namespace
}  // namespace lumora

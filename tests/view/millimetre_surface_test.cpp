#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "trace_packets.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class MillimetreSurfaceTest : public ::testing::Test {
 protected:
  void draw(const std::string& packet, Side side, ScreenCalibration calibration) {
    testing::processed(packet).draw(surface, side, calibration);
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

// The trace's user units land at true size around the middle, each unit HBias times wider,
// in green; then the axes. Fewer than 51 radii clear the picture only.
TEST_F(MillimetreSurfaceTest, CircleIs25mmRadiusAroundTheMiddleThenTheAxes) {
  for (const double hBias : {1.0, 1.25}) {
    draw(testing::circlePacket(400, 2500), Side::Right, {hBias, 1});
    const auto offsets = outlineOffsets();
    ASSERT_EQ(offsets.size(), 400u);
    for (const auto& [dx, dy] : offsets) EXPECT_NEAR(std::hypot(dx / hBias, dy), 25.0, 1e-9);
    EXPECT_NEAR(offsets[0].first, 25.0 * hBias, 1e-9);  // angle 0 to the right
    EXPECT_NEAR(offsets[100].second, -25.0, 1e-9);      // 90 degrees upward
  }
  ASSERT_EQ(surface.lines().size(), 402u);
  EXPECT_EQ(surface.lines()[0].Colour, 0x00FF00u);
  const auto ends = [](const DrawnLine& l) { return std::array{l.X1, l.Y1, l.X2, l.Y2}; };
  EXPECT_EQ(ends(surface.lines()[400]), (std::array{50.0, 0.0, 50.0, 80.0}));
  EXPECT_EQ(ends(surface.lines()[401]), (std::array{0.0, 40.0, 100.0, 40.0}));
  EXPECT_EQ(surface.lines()[401].WidthPixels, 1);
  draw(testing::circlePacket(50, 2500), Side::Right, {});
  EXPECT_TRUE(surface.lines().empty());
}

// A factor of 0 cannot scale: the millimetre scale stays, its origin at the left-top.
TEST_F(MillimetreSurfaceTest, AZeroCalibrationFactorKeepsTheMillimetreScale) {
  draw(testing::circlePacket(400, 2500), Side::Right, {1.25, 0});
  EXPECT_NEAR(surface.lines()[0].X1, 25, 1e-9);
  EXPECT_NEAR(surface.lines()[0].Y1, 0, 1e-9);
}

// The left eye is drawn at 180 degrees minus each angle: its mirrored list then shows the
// right eye's outline, point for point (left index k holds right index (200 - k) mod 400).
TEST_F(MillimetreSurfaceTest, TheCompletedLeftEyeShowsTheSameOutline) {
  const std::string packet = testing::eyeRecords('R', testing::numbered(400, 2000));
  draw(packet, Side::Right, {});
  const std::vector<DrawnLine> right = surface.lines();
  draw(packet, Side::Left, {});
  for (std::size_t k = 0; k < 400; k += 7) {
    EXPECT_NEAR(surface.lines()[k].X1, right[(600 - k) % 400].X1, 1e-9) << k;
    EXPECT_NEAR(surface.lines()[k].Y1, right[(600 - k) % 400].Y1, 1e-9) << k;
  }
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

}  // namespace
}  // namespace lumora

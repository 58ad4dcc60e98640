#include <gtest/gtest.h>

#include <cmath>

#include "trace_packets.h"

namespace lumora {
using namespace lumora::testing;

namespace {

// A surface of 100 x 80 mm that records what is drawn, in user units.
class RecordingSurface : public PictureSurface {
 public:
  struct Line { double x1, y1, x2, y2; int width; };
  void setForeColour(int r, int g, int b) override { colour = r << 16 | g << 8 | b; }
  void clearPicture() override { lines.clear(); }
  void setScaleModeMillimetres() override { left = top = 0, scaleW = 100, scaleH = 80; }
  double scaleWidth() const override { return scaleW; }
  double scaleHeight() const override { return scaleH; }
  void setUserScale(double l, double t, double r, double b) override { left = l, top = t, scaleW = r - l, scaleH = b - t; }
  void setLineWidth(int pixels) override { width = pixels; }
  void drawLine(double x1, double y1, double x2, double y2) override { lines.push_back({x1, y1, x2, y2, width}); }

  std::vector<Line> lines{{0, 0, 0, 0, 0}};  // anything left from an earlier drawing
  int colour = 0, width = 0;
  double left = 0, top = 0, scaleW = 0, scaleH = 0;
};

}  // namespace

// 51 radii make an outline, 50 clear the picture only. One unit is one calibrated
// millimetre (1.25 times wider across); a factor of 0 cannot scale and keeps the
// millimetre scale.
TEST(Draw, CircleIsDrawnAroundTheCentreWithAxesInCalibratedUnits) {
  RecordingSurface surface;
  processed(circlePacket(50, 2500)).draw(surface, Side::Right, {});
  EXPECT_TRUE(surface.lines.empty());
  processed(circlePacket(400, 2500)).draw(surface, Side::Right, {1.25, 1});
  EXPECT_EQ(surface.colour, 0x00FF00);
  ASSERT_EQ(surface.lines.size(), 402u);
  for (std::size_t i = 0; i < 400; ++i) {
    EXPECT_NEAR(std::hypot(surface.lines[i].x1, surface.lines[i].y1), 25.0, 1e-9);
    EXPECT_EQ(surface.lines[i].width, 2);
  }
  EXPECT_NEAR(surface.lines[0].x1, 25, 1e-12);
  EXPECT_LT(surface.lines[100].y1, 0);  // 90 degrees is drawn upward: y grows downward
  EXPECT_EQ((std::vector{surface.left, surface.top, surface.lines[400].y1, surface.lines[401].x2}),
            (std::vector{-40.0, -40.0, -40.0, 40.0}));
  EXPECT_EQ(surface.lines[400].width, 1);
  processed(circlePacket(400, 2500)).draw(surface, Side::Right, {1.25, 0});
  EXPECT_EQ(std::pair(surface.left, surface.top), std::pair(0.0, 0.0));
}

// The left eye is drawn at 180 degrees minus each angle: its mirrored list then shows the
// right eye's outline, point for point (left index k holds right index (200 - k) mod 400).
TEST(Draw, TheCompletedLeftEyeShowsTheSameOutline) {
  const auto trace = processed(eyeRecords('R', numbered(400, 2000)));
  RecordingSurface right, left;
  trace.draw(right, Side::Right, {});
  trace.draw(left, Side::Left, {});
  for (std::size_t k = 0; k < 400; k += 7) {
    EXPECT_NEAR(left.lines[k].x1, right.lines[(600 - k) % 400].x1, 1e-9) << k;
    EXPECT_NEAR(left.lines[k].y1, right.lines[(600 - k) % 400].y1, 1e-9) << k;
  }
}

}  // namespace lumora

#include <gtest/gtest.h>

#include <cmath>

#include "packets.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {

// A surface of 100 x 80 mm that records what is drawn, in user units.
class RecordingSurface : public PictureSurface {
 public:
  struct Line {
    double x1, y1, x2, y2;
    int width;
  };
  void setForeColour(int r, int g, int b) override { colour = r << 16 | g << 8 | b; }
  void clearPicture() override { lines.clear(), ++clears; }
  void setScaleModeMillimetres() override { left = top = 0, scaleW = 100, scaleH = 80; }
  double scaleWidth() const override { return scaleW; }
  double scaleHeight() const override { return scaleH; }
  void setUserScale(double l, double t, double r, double b) override {
    left = l, top = t, scaleW = r - l, scaleH = b - t;
  }
  void setLineWidth(int pixels) override { width = pixels; }
  void drawLine(double x1, double y1, double x2, double y2) override { lines.push_back({x1, y1, x2, y2, width}); }

  std::vector<Line> lines;
  int colour = 0, width = 0, clears = 0;
  double left = 0, top = 0, scaleW = 0, scaleH = 0;
};

clsVCATrace circle(std::size_t n, const std::string& sides = "RL") {
  clsVCATrace trace;
  trace.ProcessTrace(CirclePacket(n, 2500, sides));
  return trace;
}

class DrawTraceTest : public ::testing::Test {
 protected:
  void TearDown() override { Shared().HBias = Shared().VBias = 1.0; }
  RecordingSurface surface;
};

}  // namespace

TEST_F(DrawTraceTest, CircleIsDrawnAroundTheCentreWithAxes) {
  circle(400).DrawTrace(surface, 0);
  EXPECT_EQ(surface.colour, 0x00FF00);  // green
  EXPECT_DOUBLE_EQ(surface.left, -50);
  EXPECT_DOUBLE_EQ(surface.top, -40);
  ASSERT_EQ(surface.lines.size(), 402u);
  for (std::size_t i = 0; i < 400; ++i) {
    EXPECT_NEAR(std::hypot(surface.lines[i].x1, surface.lines[i].y1), 25.0, 1e-9);
    EXPECT_EQ(surface.lines[i].width, 2);
  }
  EXPECT_NEAR(surface.lines[0].x1, 25, 1e-12);
  EXPECT_LT(surface.lines[100].y1, 0);  // 90 degrees is drawn upward: y grows downward
  const auto& vertical = surface.lines[400];
  EXPECT_EQ(vertical.width, 1);
  EXPECT_DOUBLE_EQ(vertical.y1, -40);
  EXPECT_DOUBLE_EQ(surface.lines[401].x2, 50);
}

TEST_F(DrawTraceTest, CalibrationWidensTheUserScale) {
  Shared().HBias = 1.25;
  circle(400).DrawTrace(surface, 0);
  EXPECT_DOUBLE_EQ(surface.left, -40);  // 50 / 1.25: each unit is 1.25 times wider
  EXPECT_DOUBLE_EQ(surface.top, -40);
  EXPECT_DOUBLE_EQ(surface.lines[401].x1, -40);
}

TEST_F(DrawTraceTest, ZeroCalibrationKeepsTheMillimetreScale) {
  Shared().VBias = 0;
  circle(400).DrawTrace(surface, 0);
  EXPECT_DOUBLE_EQ(surface.left, 0);
  EXPECT_DOUBLE_EQ(surface.scaleW, 100);
  EXPECT_EQ(surface.lines.size(), 402u);
}

TEST_F(DrawTraceTest, FiftyRadiiAreNotDrawnFiftyOneAre) {
  circle(50).DrawTrace(surface, 0);
  EXPECT_TRUE(surface.lines.empty());
  EXPECT_EQ(surface.clears, 1);
  circle(51).DrawTrace(surface, 0);
  EXPECT_EQ(surface.lines.size(), 53u);
}

TEST_F(DrawTraceTest, TheSynthesisedLeftEyeShowsTheSameOutline) {
  std::vector<std::string> radii = Numbered(400, 2000);
  clsVCATrace trace;
  trace.ProcessTrace(EyeRecords('R', radii));
  RecordingSurface right;
  trace.DrawTrace(right, 0);
  trace.DrawTrace(surface, 1);
  EXPECT_EQ(Shared().MirrorSign, -1);
  // Left index k holds right index (200 - k) mod 400, drawn at 180 - angle: the same point.
  for (std::size_t k = 0; k < 400; ++k) {
    const auto& l = surface.lines[k];
    const auto& r = right.lines[(600 - k) % 400];
    EXPECT_NEAR(l.x1, r.x1, 1e-9);
    EXPECT_NEAR(l.y1, r.y1, 1e-9);
  }
}

}  // namespace lumora

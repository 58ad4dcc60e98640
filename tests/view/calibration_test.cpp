#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "drawn_extent.h"
#include "store_of.h"
#include "view/core/calibration.h"
#include "view/core/calibration_figure.h"

namespace lumora {
namespace {

using Factors = std::pair<double, double>;

Factors read(std::map<std::string, std::string, std::less<>> stored) {
  const ScreenCalibration c = readScreenCalibration(testing::StoreOf(std::move(stored)));
  return {c.horizontal, c.vertical};
}

// Fixed point in ten-thousandths: half a unit goes to the even neighbour, and a factor far
// beyond any screen's converts without overflow.
TEST(Calibration, BiasUnitsRoundHalfToEvenWithoutOverflow) {
  EXPECT_EQ(biasUnits(1.03125), 10312);
  EXPECT_EQ(biasUnits(-1e300), -10000LL * 1000000);
}

TEST(Calibration, ReadKeepsFourDecimalsAndTakesNonsenseOrPointOneOrLessAsOne) {
  EXPECT_EQ(read({{"HBias", "1.015"}}), Factors(1.015, 1.0));
  EXPECT_EQ(read({{"HBias", " 0.99994"}, {"VBias", "1.23456"}}), Factors(0.9999, 1.2346));
  // Mended fault: such a stored factor was read as it was and drew every trace off the picture.
  EXPECT_EQ(read({{"HBias", "abc"}, {"VBias", "0.1"}}), Factors(1, 1));
}

TEST(Calibration, SaveWritesVerticalThenHorizontalReplacingFactorsOfPointOneOrLessInMemoryToo) {
  struct Case {
    ScreenCalibration factors;
    const char *storedV, *storedH;
  };
  for (Case c : {Case{{1.1, 0.995}, "0.995", "1.1"}, Case{{0.1, -0.5}, "1", "1"}, Case{{0.105, 0.1001}, "0.1001", "0.105"}}) {
    std::vector<std::pair<Setting, std::string>> written;
    saveScreenCalibration(c.factors, [&](Setting s, std::string_view text) { written.emplace_back(s, text); });
    EXPECT_EQ(written, (decltype(written){{Setting::VBias, c.storedV}, {Setting::HBias, c.storedH}}));
    EXPECT_EQ(biasText(c.factors.horizontal) + " " + biasText(c.factors.vertical), std::string(c.storedH) + " " + c.storedV);
  }
}

// Blue axes, then the circle around the middle, each offset scaled by its factor; the labels
// stay nominal. Zero and negative factors flatten or mirror the circle without failing. The
// picture is large enough for the circle, within the room the screen has.
TEST(CalibrationFigure, FactorsScaleTheCircleAboutTheMiddleNotTheLabels) {
  MillimetreSurface surface{90, 70};
  const std::array<double, 4> cases[] = {{1, 1, 50, 50}, {1.015, 0.9, 50.75, 45}, {0, 1, 0, 50}, {-0.5, 1, 25, 50}};
  for (const auto& [h, v, width, height] : cases) {
    const auto labels = drawCalibrationFigure(surface, referenceCircle(), {h, v});
    ASSERT_TRUE(labels);
    EXPECT_EQ(std::tie(labels->boxWidth, labels->boxHeight, labels->circumference, labels->effectiveDiameter),
              std::make_tuple("A: 50.00", "B: 50.00", "C: 157.08", "ED: 50.00"));
    EXPECT_EQ(surface.lines()[0].colour, 0x0000FFu);
    const testing::Extent circle = testing::extentOf(surface, testing::kCalibrationCircle);
    EXPECT_NEAR(circle.width(), width, 1e-9) << h;
    EXPECT_NEAR(circle.height(), height, 1e-9) << h;
    EXPECT_NEAR(circle.left + circle.right, 90, 1e-9) << h;
    EXPECT_NEAR(circle.top + circle.bottom, 70, 1e-9) << h;
  }
  EXPECT_FALSE(drawCalibrationFigure(surface, {}, {}));
  const auto size = [](ScreenCalibration c, PictureSizeMm room) {
    const PictureSizeMm s = calibrationPictureSize(c, room);
    return Factors(s.width, s.height);
  };
  EXPECT_EQ(size({1, 1}, {500, 500}), Factors(90, 75));
  EXPECT_EQ(size({-1.8, 1.3}, {500, 500}), Factors(105, 80));
  EXPECT_EQ(size({1.8, 1.3}, {100, 60}), Factors(100, 60));
}

}  // namespace
}  // namespace lumora

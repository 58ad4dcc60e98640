#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "store_of.h"
#include "base/core/shared_values.h"
#include "view/core/calibration.h"

namespace lumora {
namespace {

class CalibrationTest : public ::testing::Test {
 protected:
  void TearDown() override { Shared().HBias = Shared().VBias = 1.0; }
};

// Fixed point: the presses add up exactly, where adding 0.005 as a double drifts.
TEST_F(CalibrationTest, StepsOfPoint005AddUpExactly) {
  double up = 1.0, down = 1.0;
  for (int press = 0; press < 20; ++press) up = StepBias(up, kBiasStep);
  for (int press = 0; press < 200; ++press) down = StepBias(down, -kBiasStep);
  EXPECT_EQ(up, 1.1);
  EXPECT_EQ(down, 0.0);
  EXPECT_EQ(BiasText(StepBias(down, -kBiasStep)), "-0.005");
}

TEST_F(CalibrationTest, UnitsKeepFourDecimalsHalvesToEvenAndTextHasNoNeedlessZeros) {
  const std::pair<double, std::int64_t> units[] = {{1.015, 10150},
                                                   {1.03125, 10312},  // exactly half a unit: to the even one
                                                   {1.09375, 10938},
                                                   {1e300, 10000LL * 1000000},
                                                   {-1e300, -10000LL * 1000000}};
  for (const auto& [bias, count] : units) EXPECT_EQ(BiasUnits(bias), count) << bias;
  const std::pair<double, const char*> texts[] = {{1.0, "1"}, {0.105, "0.105"}, {12.0001, "12.0001"}};
  for (const auto& [bias, text] : texts) EXPECT_EQ(BiasText(bias), text);
}

TEST_F(CalibrationTest, LoadReadsStoredFactorsToFourDecimalsDefaultOne) {
  Shared().HBias = Shared().VBias = 3;
  LoadBiasSettings(testing::StoreOf({{"HBias", "1.015"}}));
  EXPECT_EQ(Shared().HBias, 1.015);
  EXPECT_EQ(Shared().VBias, 1.0);
  LoadBiasSettings(testing::StoreOf({{"HBias", " 0.99994"}, {"VBias", "1.23456"}}));
  EXPECT_EQ(Shared().HBias, 0.9999);
  EXPECT_EQ(Shared().VBias, 1.2346);
  // Mended fault: a stored text that is no number, or a factor of 0.1 or less, read as is.
  LoadBiasSettings(testing::StoreOf({{"HBias", "abc"}, {"VBias", "0.1"}}));
  EXPECT_EQ(std::pair(Shared().HBias, Shared().VBias), std::pair(1.0, 1.0));
}

// A factor of 0.1 or less is stored, and kept in memory, as 1.
TEST_F(CalibrationTest, SaveWritesVerticalThenHorizontalReplacingFactorsOfPointOneOrLess) {
  struct Case {
    double h, v;
    const char *storedV, *storedH;
  };
  const Case cases[] = {{1.1, 0.995, "0.995", "1.1"}, {0.1, -0.5, "1", "1"}, {0.105, 0.1001, "0.1001", "0.105"}};
  for (const Case& c : cases) {
    Shared().HBias = c.h, Shared().VBias = c.v;
    std::vector<std::pair<Setting, std::string>> written;
    SaveBiasSettings([&](Setting s, std::string_view text) { written.emplace_back(s, std::string(text)); });
    EXPECT_EQ(written, (std::vector<std::pair<Setting, std::string>>{{Setting::VBias, c.storedV},
                                                                      {Setting::HBias, c.storedH}}));
    EXPECT_EQ(BiasText(Shared().HBias) + " " + BiasText(Shared().VBias), std::string(c.storedH) + " " + c.storedV);
  }
}

}  // namespace
}  // namespace lumora

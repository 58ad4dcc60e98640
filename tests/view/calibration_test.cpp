#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "trace/core/shared_values.h"
#include "view/core/calibration.h"

namespace lumora {
namespace {

class CalibrationTest : public ::testing::Test {
 protected:
  void TearDown() override { Shared().HBias = Shared().VBias = 1.0; }

  SettingWriter writer() {
    return [this](Setting s, std::string_view text) { written.emplace_back(s, std::string(text)); };
  }
  std::vector<std::pair<Setting, std::string>> written;
};

SettingLookup storeOf(std::map<std::string, std::string> stored) {
  return [stored](std::string_view key) -> std::optional<std::string> {
    const auto it = stored.find(std::string(key));
    if (it == stored.end()) return std::nullopt;
    return it->second;
  };
}

}  // namespace

TEST_F(CalibrationTest, TwentyIncreases_FromOneGiveExactly1point1) {
  double bias = 1.0;
  for (int press = 0; press < 20; ++press) bias = StepBias(bias, kBiasStep);
  EXPECT_EQ(bias, 1.1);
  EXPECT_EQ(BiasText(bias), "1.1");
}

TEST_F(CalibrationTest, TwoHundredDecreases_FromOneReachExactlyZeroAndGoOnBelow) {
  double bias = 1.0;
  for (int press = 0; press < 200; ++press) bias = StepBias(bias, -kBiasStep);
  EXPECT_EQ(bias, 0.0);
  EXPECT_EQ(BiasText(StepBias(bias, -kBiasStep)), "-0.005");
}

TEST_F(CalibrationTest, Units_KeepFourDecimalsHalvesToEven) {
  EXPECT_EQ(BiasUnits(1.015), 10150);
  EXPECT_EQ(BiasUnits(1.03125), 10312);  // exactly half a unit: to the even one
  EXPECT_EQ(BiasUnits(1.09375), 10938);
  EXPECT_EQ(BiasUnits(1e300), 10000LL * 1000000);
  EXPECT_EQ(BiasUnits(-1e300), -10000LL * 1000000);
}

TEST_F(CalibrationTest, Text_HasNoNeedlessZeros) {
  EXPECT_EQ(BiasText(1.0), "1");
  EXPECT_EQ(BiasText(0.105), "0.105");
  EXPECT_EQ(BiasText(1.015), "1.015");
  EXPECT_EQ(BiasText(12.0001), "12.0001");
}

TEST_F(CalibrationTest, Load_ReadsStoredFactorsDefaultOne) {
  Shared().HBias = Shared().VBias = 3;
  LoadBiasSettings(storeOf({{"HBias", "1.015"}}));
  EXPECT_EQ(Shared().HBias, 1.015);
  EXPECT_EQ(Shared().VBias, 1.0);
  LoadBiasSettings(storeOf({{"HBias", " 0.99994"}, {"VBias", "1.23456"}}));
  EXPECT_EQ(Shared().HBias, 0.9999);
  EXPECT_EQ(Shared().VBias, 1.2346);
}

TEST_F(CalibrationTest, Save_WritesVerticalThenHorizontal) {
  Shared().HBias = 1.1, Shared().VBias = 0.995;
  SaveBiasSettings(writer());
  const std::vector<std::pair<Setting, std::string>> expected{{Setting::VBias, "0.995"},
                                                              {Setting::HBias, "1.1"}};
  EXPECT_EQ(written, expected);
}

TEST_F(CalibrationTest, Save_ReplacesAFactorOfPointOneOrLessByOne) {
  Shared().HBias = 0.1, Shared().VBias = -0.5;
  SaveBiasSettings(writer());
  ASSERT_EQ(written.size(), 2u);
  EXPECT_EQ(written[0].second, "1");
  EXPECT_EQ(written[1].second, "1");
  EXPECT_EQ(Shared().HBias, 1.0);  // in memory too
  EXPECT_EQ(Shared().VBias, 1.0);
}

TEST_F(CalibrationTest, Save_KeepsAFactorJustAbovePointOne) {
  Shared().HBias = 0.105, Shared().VBias = 0.1001;
  SaveBiasSettings(writer());
  EXPECT_EQ(written[0].second, "0.1001");
  EXPECT_EQ(written[1].second, "0.105");
  EXPECT_EQ(Shared().HBias, 0.105);
}

}  // namespace lumora

#include "view/core/calibration.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/core/number_text.h"

namespace lumora {
namespace {

constexpr double kLargestBias = 1e6;

double biasFromUnits(std::int64_t units) {
  return static_cast<double>(units) / static_cast<double>(kBiasUnitsPerOne);
}

double savedBias(double bias) {
  const std::int64_t units = biasUnits(bias);
  return biasFromUnits(units <= kBiasSaveFloor ? kBiasUnitsPerOne : units);
}

}  // namespace

std::int64_t biasUnits(double bias) {
  if (std::isnan(bias)) return kBiasUnitsPerOne;
  const double kept = roundHalfEven(std::clamp(bias, -kLargestBias, kLargestBias), 4);
  return std::llround(kept * static_cast<double>(kBiasUnitsPerOne));
}

double stepBias(double bias, std::int64_t units) {
  return biasFromUnits(biasUnits(bias) + units);
}

std::string biasText(double bias) {
  const std::int64_t units = biasUnits(bias);
  const std::int64_t magnitude = std::llabs(units);
  std::string text = (units < 0 ? "-" : "") + std::to_string(magnitude / kBiasUnitsPerOne);
  std::string fraction = std::to_string(magnitude % kBiasUnitsPerOne);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

ScreenCalibration readScreenCalibration(const SettingLookup& lookup) {
  return {savedBias(value(readSetting(lookup, Setting::HBias))),
          savedBias(value(readSetting(lookup, Setting::VBias)))};
}

void saveScreenCalibration(ScreenCalibration& calibration, const SettingWriter& write) {
  calibration = {savedBias(calibration.horizontal), savedBias(calibration.vertical)};
  write(Setting::VBias, biasText(calibration.vertical));
  write(Setting::HBias, biasText(calibration.horizontal));
}

}  // namespace lumora

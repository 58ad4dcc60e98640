#include "view/core/calibration.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "base/core/number_text.h"
#include "base/core/shared_values.h"

namespace lumora {
namespace {

constexpr double kLargestBias = 1e6;

double savedBias(double bias) {
  const std::int64_t units = BiasUnits(bias);
  return BiasFromUnits(units <= kBiasSaveFloor ? kBiasUnitsPerOne : units);
}

// A stored factor is never 0.1 or less, as saving replaces such; one that is (an edited
// store, a text that is no number) would draw every trace off the picture, so it reads as 1.
double readBias(const SettingLookup& lookup, Setting setting) {
  return savedBias(value(readSetting(lookup, setting)));
}

}  // namespace

std::int64_t BiasUnits(double bias) {
  if (std::isnan(bias)) return kBiasUnitsPerOne;
  const double kept = roundHalfEven(std::clamp(bias, -kLargestBias, kLargestBias), 4);
  return std::llround(kept * static_cast<double>(kBiasUnitsPerOne));
}

double BiasFromUnits(std::int64_t units) {
  return static_cast<double>(units) / static_cast<double>(kBiasUnitsPerOne);
}

double StepBias(double bias, std::int64_t units) {
  return BiasFromUnits(BiasUnits(bias) + units);
}

std::string BiasText(double bias) {
  const std::int64_t units = BiasUnits(bias);
  const std::int64_t magnitude = std::llabs(units);
  std::string text = (units < 0 ? "-" : "") + std::to_string(magnitude / kBiasUnitsPerOne);
  std::string fraction = std::to_string(magnitude % kBiasUnitsPerOne);
  fraction.insert(0, 4 - fraction.size(), '0');
  while (!fraction.empty() && fraction.back() == '0') fraction.pop_back();
  if (!fraction.empty()) text += "." + fraction;
  return text;
}

void LoadBiasSettings(const SettingLookup& lookup) {
  Shared().VBias = readBias(lookup, Setting::VBias);
  Shared().HBias = readBias(lookup, Setting::HBias);
}

void SaveBiasSettings(const SettingWriter& write) {
  Shared().VBias = savedBias(Shared().VBias);
  Shared().HBias = savedBias(Shared().HBias);
  write(Setting::VBias, BiasText(Shared().VBias));
  write(Setting::HBias, BiasText(Shared().HBias));
}

}  // namespace lumora

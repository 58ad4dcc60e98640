// The screen calibration factors HBias and VBias: fixed-point numbers with four decimals
// (counts of ten-thousandths), so steps of 0.005 add up exactly; their reading at start-up
// and the rule for storing them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/core/settings_table.h"

namespace lumora {

inline constexpr std::int64_t kBiasUnitsPerOne = 10000;  // ten-thousandths
inline constexpr std::int64_t kBiasStep = 50;            // 0.005, one button press
inline constexpr std::int64_t kBiasSaveFloor = 1000;     // 0.1: at or below it 1 is stored

// `bias` in ten-thousandths, the half to the even neighbour. Numbers beyond a million are
// taken as a million (either sign), so no count can overflow.
std::int64_t BiasUnits(double bias);
double BiasFromUnits(std::int64_t units);

// `bias` moved by `units` ten-thousandths, computed in fixed point: twenty steps of +0.005
// from 1 give exactly 1.1.
double StepBias(double bias, std::int64_t units);

// Decimal text without needless zeros, "." as the decimal point: "1", "1.1", "0.105", "-0.005".
std::string BiasText(double bias);

// Reads "HBias" and "VBias" into the shared factors (default 1), kept to four decimals.
void LoadBiasSettings(const SettingLookup& lookup);

using SettingWriter = std::function<void(Setting setting, std::string_view text)>;

// A shared factor of 0.1 or less becomes 1 (in memory too); then "VBias" and "HBias" are
// written, in that order.
void SaveBiasSettings(const SettingWriter& write);

}  // namespace lumora

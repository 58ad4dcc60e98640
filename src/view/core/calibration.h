// The screen calibration factors ("HBias" across, "VBias" down): fixed-point numbers with
// four decimals (counts of ten-thousandths), so steps of 0.005 add up exactly; their reading
// at start-up and the rule for storing them. The main window owns the factors in use for
// the run (a ScreenCalibration) and hands them to whatever draws or changes them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "base/core/settings_table.h"
#include "trace/core/picture_surface.h"

namespace lumora {

inline constexpr std::int64_t kBiasUnitsPerOne = 10000;  // ten-thousandths
inline constexpr std::int64_t kBiasStep = 50;            // 0.005, one button press
inline constexpr std::int64_t kBiasSaveFloor = 1000;     // 0.1: at or below it 1 is stored

// `bias` in ten-thousandths, the half to the even neighbour. Numbers beyond a million are
// taken as a million (either sign), so no count can overflow; not a number counts as 1.
std::int64_t biasUnits(double bias);

// `bias` moved by `units` ten-thousandths, computed in fixed point: twenty steps of +0.005
// from 1 give exactly 1.1.
double stepBias(double bias, std::int64_t units);

// Decimal text without needless zeros, "." as the decimal point: "1", "1.1", "0.105", "-0.005".
std::string biasText(double bias);

// The stored "HBias" and "VBias" (default 1), kept to four decimals. A text that is no
// number, or a factor of 0.1 or less (only a hand-edited store holds one), reads as 1: it
// would draw every trace off the picture.
ScreenCalibration readScreenCalibration(const SettingLookup& lookup);

using SettingWriter = std::function<void(Setting setting, std::string_view text)>;

// A factor of 0.1 or less becomes 1 (in `calibration` too); then "VBias" and "HBias" are
// written, in that order.
void saveScreenCalibration(ScreenCalibration& calibration, const SettingWriter& write);

}  // namespace lumora

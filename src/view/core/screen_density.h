// Whether a screen's reported size lets an outline be drawn at true size without calibration.
#pragma once

#include <optional>

#include "base/core/problem.h"

namespace lumora {

// What a screen reports: its size in device pixels and in millimetres (0 when it reports none).
struct ScreenReport {
  double widthPixels = 0, heightPixels = 0;
  double widthMm = 0, heightMm = 0;
};

// Why traces on this screen are not true size until it is calibrated: it reports no size, or
// one whose density no screen has (below 40 or above 600 dots per inch, or pixels a quarter
// wider than high or the other way round). Nothing when the size is plausible.
std::optional<Problem> trueSizeProblem(const ScreenReport& screen);

}  // namespace lumora

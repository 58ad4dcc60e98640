#include "view/core/screen_density.h"

#include <string>

namespace lumora {
namespace {

constexpr double kMmPerInch = 25.4;
constexpr double kFewestDotsPerInch = 40, kMostDotsPerInch = 600;
constexpr double kMostAspect = 1.25;  // of one pixel, across against down

constexpr const char* kCalibrateFirst =
    "\n\nTraces cannot be shown at their true size until the screen is calibrated. Calibrate it now?";

}  // namespace

std::optional<Problem> trueSizeProblem(const ScreenReport& screen) {
  if (screen.widthMm <= 0 || screen.heightMm <= 0 || screen.widthPixels <= 0 || screen.heightPixels <= 0)
    return Problem{std::string("This screen does not report its size.") + kCalibrateFirst};
  const double across = screen.widthPixels / screen.widthMm * kMmPerInch;
  const double down = screen.heightPixels / screen.heightMm * kMmPerInch;
  const auto plausible = [](double dpi) { return dpi >= kFewestDotsPerInch && dpi <= kMostDotsPerInch; };
  if (plausible(across) && plausible(down) && across <= down * kMostAspect && down <= across * kMostAspect)
    return std::nullopt;
  return Problem{"This screen reports a size of " + std::to_string(static_cast<int>(screen.widthMm)) + " x " +
                 std::to_string(static_cast<int>(screen.heightMm)) + " mm, which cannot be right." + kCalibrateFirst};
}

}  // namespace lumora

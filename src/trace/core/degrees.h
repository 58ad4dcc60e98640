// Degrees to radians, as the trace routines convert them.
#pragma once

#include <numbers>

namespace lumora {

inline constexpr double kDegToRad = std::numbers::pi / 180.0;

// Resizing uses a factor a little short of pi/180 for both the outline points and the rays,
// as the tracer software always has: its rebuilt traces depend on it.
inline constexpr double kResizeDegToRad = 0.01745;

}  // namespace lumora

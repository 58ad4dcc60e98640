// One side of a frame resize: the outline from equiangular radii, the optional stretch of
// its lower half, re-centring, re-sampling and the recomputed box records; and how the
// results of both sides replace the records of a packet.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace lumora::detail {

// The degree-to-radian factor of the resizing (a little short of pi/180, as the tracer
// software has always used it for both the outline points and the rays).
inline constexpr double kResizeDegToRad = 0.01745;

// Record values of one resized side, formatted as the records print them.
struct ResizedSide {
  std::string hbox, vbox, fed, fedax, circ;  // mm; FEDAX in degrees
  std::string radiusLines;                   // "R=" lines joined by LF, no final LF
};

// Outline points (mm) of equiangular radii (texts, hundredths of a mm).
void OutlineFromRadii(const std::vector<std::string>& radii, std::vector<double>& X,
                      std::vector<double>& Y);

// Moves every point below the horizontal axis down in proportion to its depth, so that the
// box height `measuredB` (mm) becomes `newB`. A zero B, or a stretch that would leave the
// finite numbers, leaves the outline unstretched.
void StretchLowerHalf(std::vector<double>& Y, double measuredB, double newB);

// Resizes one side: `radii` in hundredths of a mm, `measuredB` the side's measured box
// height (mm). stretchMode 1 stretches the lower half to `newB`; any other value only
// re-centres and re-samples.
ResizedSide ResizeSide(const std::vector<std::string>& radii, double measuredB, int stretchMode,
                       double newB);

// The packet (LF line ends) with "HBOX=", "VBOX=", "CIRC=", "FED=", "FEDAX=" rewritten
// ("?" for a side without result), the old "R=" lines dropped and each "TRCFMT=" line
// followed by the new radius lines of its side (";L;" left, otherwise right).
std::string RebuildPacketText(const std::string& packet,
                              const std::array<std::optional<ResizedSide>, 2>& sides);

}  // namespace lumora::detail

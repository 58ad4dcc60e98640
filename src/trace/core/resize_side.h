// One eye of a frame resize: the outline from equiangular radii, the optional stretch of
// its lower half, re-centring, re-sampling and the recomputed box records; and how the
// results of both eyes replace the records of a packet.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "trace/core/resize_geometry.h"
#include "trace/core/side.h"
#include "trace/core/trace_record.h"

namespace lumora::detail {

// Record values of one resized eye, formatted as the records print them.
struct ResizedSide {
  std::string hbox, vbox, fed, fedax, circ;  // mm; FEDAX in degrees
  std::string radiusLines;                   // "R=" lines joined by LF, no final LF
};

// Outline points (mm) of equiangular radii (hundredths of a mm), by the resizing's own
// degree factor.
Outline outlineFromRadii(const std::vector<double>& radii);

// Moves every point below the horizontal axis down in proportion to its depth, so that the
// box height `measuredB` (mm) becomes `newB`. A zero B, or a stretch that would leave the
// finite numbers, leaves the outline unstretched.
void stretchLowerHalf(Outline& outline, double measuredB, double newB);

// Resizes one eye: `radii` in hundredths of a mm, `measuredB` the eye's measured box
// height (mm).
ResizedSide resizeSide(const std::vector<double>& radii, double measuredB, Stretch stretch, double newB);

// The packet (LF line ends) with "HBOX=", "VBOX=", "CIRC=", "FED=", "FEDAX=" rewritten
// ("?" for an eye without result), the old "R=" lines dropped and each "TRCFMT=" line
// followed by the new radius lines of its eye (";L;" left, otherwise right).
std::string rebuildPacketText(std::string_view packet, const PerSide<std::optional<ResizedSide>>& sides);

}  // namespace lumora::detail

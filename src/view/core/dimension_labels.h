// The dimension labels shown beside a drawn outline ("A: 52.30").
#pragma once

#include <string>
#include <string_view>

#include "trace/core/trace_record.h"

namespace lumora {

// `caption` and the value printed as "######.00" (mm).
std::string dimensionLabel(std::string_view caption, double mm);

// The main window's labels for the right eye of a trace: "A: ", "B: ", "ED: ", "Cir: ",
// "DBL: " with their values in mm, and "Type: " with the ordering system's frame type.
struct TraceLabels {
  std::string boxWidth, boxHeight, effectiveDiameter, circumference, distanceBetweenLenses, frameType;
};
TraceLabels rightEyeLabels(const TraceRecord& trace);

}  // namespace lumora

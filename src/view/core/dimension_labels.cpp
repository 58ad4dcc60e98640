#include "view/core/dimension_labels.h"

#include "base/core/number_text.h"

namespace lumora {

std::string dimensionLabel(std::string_view caption, double mm) {
  return std::string(caption) + formatNumber(mm, "######.00");
}

TraceLabels rightEyeLabels(const TraceRecord& trace) {
  return {dimensionLabel("A: ", trace.boxWidth(Side::Right)),
          dimensionLabel("B: ", trace.boxHeight(Side::Right)),
          dimensionLabel("ED: ", trace.effectiveDiameter(Side::Right)),
          dimensionLabel("Cir: ", trace.circumference(Side::Right)),
          dimensionLabel("DBL: ", trace.distanceBetweenLenses()),
          "Type: " + trace.orderFrameType()};
}

}  // namespace lumora

#include "view/core/dimension_labels.h"

#include "base/core/number_text.h"

namespace lumora {

std::string DimensionLabel(std::string_view caption, double mm) {
  return std::string(caption) + formatNumber(mm, "######.00");
}

TraceLabels MainWindowLabels(const TraceRecord& trace) {
  return {DimensionLabel("A: ", trace.boxWidth(Side::Right)), DimensionLabel("B: ", trace.boxHeight(Side::Right)),
          DimensionLabel("ED: ", trace.effectiveDiameter(Side::Right)),
          DimensionLabel("Cir: ", trace.circumference(Side::Right)),
          DimensionLabel("DBL: ", trace.distanceBetweenLenses()), "Type: " + trace.orderFrameType()};
}

}  // namespace lumora

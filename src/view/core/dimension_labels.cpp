#include "view/core/dimension_labels.h"

#include "base/core/number_text.h"

namespace lumora {

std::string DimensionLabel(std::string_view caption, double mm) {
  return std::string(caption) + formatNumber(mm, "######.00");
}

TraceLabels MainWindowLabels(const clsVCATrace& trace) {
  return {DimensionLabel("A: ", trace.a(0)),  DimensionLabel("B: ", trace.B(0)),
          DimensionLabel("ED: ", trace.ed(0)), DimensionLabel("Cir: ", trace.C(0)),
          DimensionLabel("DBL: ", trace.DBL()), "Type: " + trace.LumframeType()};
}

}  // namespace lumora

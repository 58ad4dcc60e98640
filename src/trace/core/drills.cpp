// Drill records of one eye, read from the stored packet on every request.
#include "trace/core/drill_records.h"
#include "trace/core/vca_trace.h"

namespace lumora {

bool clsVCATrace::GetDrillData(std::vector<std::string>& DrillLines, int side) const {
  return detail::CollectDrillLines(packet_, side, DrillLines);
}

bool clsVCATrace::GetDrilleData(std::vector<std::string>& DrillsC, std::vector<std::string>& DrillsB,
                                std::vector<std::string>& DrillsE, int side) const {
  return detail::CollectDrilleLines(packet_, side, DrillsC, DrillsB, DrillsE);
}

}  // namespace lumora

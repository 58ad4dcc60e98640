// The dimension labels shown beside a drawn outline ("A: 52.30").
#pragma once

#include <string>
#include <string_view>

#include "trace/core/trace_record.h"

namespace lumora {

// `caption` and the value printed as "######.00" (mm).
std::string DimensionLabel(std::string_view caption, double mm);

// The main window's labels for the right eye of `trace`.
struct TraceLabels {
  std::string A, B, ED, Cir, DBL, Type;
};
TraceLabels MainWindowLabels(const TraceRecord& trace);

}  // namespace lumora

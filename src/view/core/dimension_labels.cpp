#include "view/core/dimension_labels.h"

#include <utility>

#include "base/core/number_text.h"

namespace lumora {
namespace {

// As drawing decides: an eye with too few radii leaves the picture empty.
bool drawn(const TraceRecord& trace) {
  return trace.radii(Side::Right, Orientation::AsTraced).size() >= kMinimumDrawnRadii;
}

}  // namespace

std::string dimensionLabel(std::string_view caption, double mm) {
  return std::string(caption) + formatNumber(mm, "######.00");
}

TraceLabels rightEyeLabels(const TraceRecord& trace) {
  if (!drawn(trace)) return {};
  return {{},
          dimensionLabel("A: ", trace.boxWidth(Side::Right)),
          dimensionLabel("B: ", trace.boxHeight(Side::Right)),
          dimensionLabel("ED: ", trace.effectiveDiameter(Side::Right)),
          dimensionLabel("Cir: ", trace.circumference(Side::Right)),
          dimensionLabel("DBL: ", trace.distanceBetweenLenses()),
          "Type: " + trace.orderFrameType()};
}

void PictureLabels::linkOrderChanged(std::string order) {
  linkOrder_ = std::move(order);
  if (linkTraceShown_) labels_.order = linkOrder_;
}

void PictureLabels::linkTraceShown(const TraceRecord& trace) {
  labels_ = rightEyeLabels(trace);
  linkTraceShown_ = drawn(trace);
  if (linkTraceShown_) labels_.order = linkOrder_;
}

void PictureLabels::savedTraceShown(const TraceRecord& trace, std::string_view name) {
  labels_ = rightEyeLabels(trace);
  linkTraceShown_ = false;
  if (drawn(trace)) labels_.order = "Order: " + std::string(name);
}

void PictureLabels::cleared() {
  labels_ = {};
  linkTraceShown_ = false;
}

}  // namespace lumora

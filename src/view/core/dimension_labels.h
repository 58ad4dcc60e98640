// The labels shown beside a drawn outline ("A: 52.30"), and which trace they describe.
#pragma once

#include <string>
#include <string_view>

#include "trace/core/trace_record.h"

namespace lumora {

// `caption` and the value printed as "######.00" (mm).
std::string dimensionLabel(std::string_view caption, double mm);

// The main window's labels for the right eye of a trace: "A: ", "B: ", "ED: ", "Cir: ",
// "DBL: " with their values in mm, and "Type: " with the ordering system's frame type; the
// order label is left to the caller. All empty when the right eye has too few radii to draw.
struct TraceLabels {
  std::string order, boxWidth, boxHeight, effectiveDiameter, circumference, distanceBetweenLenses, frameType;
};
TraceLabels rightEyeLabels(const TraceRecord& trace);

// Keeps the order and dimension labels on the outline the picture shows: the link's latest
// trace (its order label follows the link, which may rename it), a trace drawn from the save
// folder (named by its file), or none (all empty).
class PictureLabels {
 public:
  void linkOrderChanged(std::string order);
  void linkTraceShown(const TraceRecord& trace);
  void savedTraceShown(const TraceRecord& trace, std::string_view name);
  void cleared();
  const TraceLabels& labels() const { return labels_; }

 private:
  std::string linkOrder_;
  bool linkTraceShown_ = false;
  TraceLabels labels_;
};

}  // namespace lumora

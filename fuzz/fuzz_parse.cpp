// Arbitrary bytes as a trace packet: processing, every getter, the label operations and the
// drill records must neither crash, hang, trip a sanitizer, nor give a non-finite number.
//
// Input layout: byte 0 the length of a label to look up (modulo 16), that label, then the
// packet. Missing bytes count as zero.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "trace/core/trace_record.h"

namespace {

using lumora::DataList;
using lumora::Orientation;
using lumora::Side;
using lumora::TraceRecord;

void requireFinite(double number) {
  if (!std::isfinite(number)) std::abort();
}

void readEverySide(const TraceRecord& trace) {
  requireFinite(trace.distanceBetweenLenses());
  for (Side side : lumora::kBothSides) {
    for (double v : {trace.boxWidth(side), trace.boxHeight(side), trace.circumference(side),
                     trace.effectiveDiameter(side), trace.effectiveDiameterAngle(side), trace.frameCurve(side),
                     trace.bevelCurve(side), trace.baseCurve(side)})
      requireFinite(v);
    for (Orientation orientation : {Orientation::AsRightEye, Orientation::AsTraced}) {
      for (DataList list : {DataList::Radii, DataList::Angles, DataList::Depths, DataList::SValues})
        (void)trace.listText(list, side, orientation);
      for (double r : trace.radii(side, orientation))
        if (!(r > 0)) std::abort();  // only positive radii are taken
    }
    (void)trace.drillLines(side);
    (void)trace.edgeDrillRecords(side);
  }
}

void lookUpLabels(TraceRecord& trace, std::string_view label) {
  for (std::string_view l : {label, std::string_view("R="), std::string_view("HBOX=")}) {
    for (Side side : lumora::kBothSides) (void)trace.labelValue(l, side);
    (void)trace.labelText(l);
    for (int group = -1; group < 3; ++group) (void)trace.labelLines(l, group);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const std::size_t labelSize = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]) % 16;
  if (!bytes.empty()) bytes.remove_prefix(1);
  const std::string label(bytes.substr(0, labelSize));
  bytes.remove_prefix(label.size());
  TraceRecord trace;
  trace.process(bytes);
  readEverySide(trace);
  lookUpLabels(trace, label);
  readEverySide(trace);  // the lookups rewrote the stored packet's line ends
  return 0;
}

// Arbitrary bytes as a trace packet: processing, every getter, the label operations and the
// drill records must neither crash, hang, trip a sanitizer, nor give a non-finite number.
//
// Input layout: byte 0 chooses what is read besides the numbers of both eyes: bits 0-3 the
// length of a label to look up, bit 4 the eye, bit 5 the orientation of its lists, bits 6-7
// the group of label lines. That label follows, then the packet. Missing bytes count as zero.
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

void readNumbers(const TraceRecord& trace) {
  requireFinite(trace.distanceBetweenLenses());
  for (Side side : lumora::kBothSides) {
    for (double v : {trace.boxWidth(side), trace.boxHeight(side), trace.circumference(side),
                     trace.effectiveDiameter(side), trace.effectiveDiameterAngle(side), trace.frameCurve(side),
                     trace.bevelCurve(side), trace.baseCurve(side)})
      requireFinite(v);
  }
}

void readLists(const TraceRecord& trace, Side side, Orientation orientation) {
  for (DataList list : {DataList::Radii, DataList::Angles, DataList::Depths, DataList::SValues})
    (void)trace.listText(list, side, orientation);
  for (double r : trace.radii(side, orientation))
    if (!(r > 0)) std::abort();  // only positive radii are taken
  (void)trace.drillLines(side);
  (void)trace.edgeDrillRecords(side);
}

void lookUpLabels(TraceRecord& trace, std::string_view label, int group) {
  for (std::string_view l : {label, std::string_view("R=")}) {
    for (Side side : lumora::kBothSides) (void)trace.labelValue(l, side);
    (void)trace.labelText(l);
    (void)trace.labelLines(l, group);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const unsigned choice = bytes.empty() ? 0 : static_cast<std::uint8_t>(bytes[0]);
  if (!bytes.empty()) bytes.remove_prefix(1);
  const std::string label(bytes.substr(0, choice & 15));
  bytes.remove_prefix(label.size());
  const Side side = choice & 16 ? Side::Left : Side::Right;
  const Orientation orientation = choice & 32 ? Orientation::AsTraced : Orientation::AsRightEye;
  TraceRecord trace;
  trace.process(bytes);
  readNumbers(trace);
  lookUpLabels(trace, label, static_cast<int>(choice >> 6) - 1);
  readLists(trace, side, orientation);  // the drill records after the lookups rewrote the line ends
  return 0;
}

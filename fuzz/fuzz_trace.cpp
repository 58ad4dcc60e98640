// Arbitrary bytes as a trace packet: processing, every getter, the label operations, the
// drill records and the resize must neither crash, hang, trip a sanitizer, nor produce a
// non-finite number or a box record that is not a number.
//
// Input layout: byte 0 the stretch mode, bytes 1-8 the new B (a raw double, so NaN and
// infinities come up too), byte 9 the length of a label to look up, that label, then the
// packet. Missing bytes count as zero.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "trace/core/vca_trace.h"

namespace {

using lumora::clsVCATrace;

void RequireFinite(double number) {
  if (!std::isfinite(number)) std::abort();
}

struct Input {
  int stretchMode = 0;
  double newB = 0;
  std::string label;
  std::string packet;
};

Input Split(const std::uint8_t* data, std::size_t size) {
  Input in;
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto take = [&bytes](std::size_t n) {
    const std::string_view part = bytes.substr(0, n);
    bytes.remove_prefix(part.size());
    return part;
  };
  const std::string_view mode = take(1);
  in.stretchMode = mode.empty() ? 0 : static_cast<std::int8_t>(mode[0]);
  const std::string_view b = take(sizeof(double));
  if (b.size() == sizeof(double)) std::memcpy(&in.newB, b.data(), sizeof(double));
  const std::string_view labelSize = take(1);
  in.label = take(labelSize.empty() ? 0 : static_cast<std::uint8_t>(labelSize[0]) % 16);
  in.packet = bytes;
  return in;
}

void ReadEverySide(const clsVCATrace& trace) {
  RequireFinite(trace.DBL());
  for (int side = 0; side < 2; ++side) {
    for (double v : {trace.a(side), trace.B(side), trace.C(side), trace.ed(side), trace.eda(side),
                     trace.FCRV(side), trace.BEVC(side), trace.ComputeFramebase(side)})
      RequireFinite(v);
  }
  for (int side = -1; side < 3; ++side) {
    std::vector<std::string> list;
    trace.VCA_GetRadianArray(side, list);
    trace.Rx_GetRadianArray(side, list);
    trace.Rx_GetAngleArray(side, list);
    trace.Rx_GetZDataArray(side, list);
    trace.Rx_GetSDataArray(side, list);
    for (double v : {trace.RadianCount(side), trace.ZDataCount(side), trace.SDataCount(side)})
      RequireFinite(v);
    (void)trace.TFormat(side);
    (void)trace.ZFormat(side);
  }
}

void LookUpLabels(clsVCATrace& trace, const std::string& label) {
  for (std::string_view l : {std::string_view(label), std::string_view("R="), std::string_view("HBOX=")}) {
    for (int side = -1; side < 3; ++side) (void)trace.VCALabelValue(l, side);
    (void)trace.VCALabelGetAll(l);
    for (int group = -1; group < 3; ++group) (void)trace.VCALabelMultiLine(l, group);
    int upper = 0;
    for (int field = -1; field < 6; ++field) (void)trace.ExtractVCAValueArray(l, field, upper);
  }
}

void ReadDrills(const clsVCATrace& trace) {
  for (int side = 0; side < 2; ++side) {
    std::vector<std::string> lines, c, b, e;
    (void)trace.GetDrillData(lines, side);
    (void)trace.GetDrilleData(c, b, e, side);
  }
}

// The rewritten box records hold only numbers or "?" for each side.
void CheckRebuilt(const std::string& rebuilt) {
  std::size_t start = 0;
  while (start < rebuilt.size()) {
    const std::size_t end = rebuilt.find('\n', start);
    const std::string_view line(rebuilt.data() + start, end - start);  // every line ends in LF
    const std::size_t eq = line.find('=');
    const std::string_view label = line.substr(0, eq == std::string_view::npos ? 0 : eq + 1);
    if (label == "HBOX=" || label == "VBOX=" || label == "CIRC=" || label == "FED=" || label == "FEDAX=") {
      if (line.substr(label.size()).find_first_not_of("0123456789.-;?") != std::string_view::npos)
        std::abort();
    }
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const Input in = Split(data, size);
  clsVCATrace trace;
  trace.ProcessTrace(in.packet);
  ReadEverySide(trace);
  LookUpLabels(trace, in.label);
  ReadDrills(trace);
  if (auto rebuilt = lumora::RebuildWithNewB(in.packet, in.stretchMode, in.newB)) CheckRebuilt(*rebuilt);
  return 0;
}

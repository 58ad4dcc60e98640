#include "trace/core/drill_holes.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"
#include "trace/core/degrees.h"
#include "trace/core/trace_record.h"

namespace lumora {
namespace {

// A field holding a number; "?" (unknown), an empty field or a word holds none.
std::optional<double> numberIn(std::string_view field) {
  field = trimBlanks(field);
  if (field.empty()) return std::nullopt;
  const char c = field.front();
  if (!(c >= '0' && c <= '9') && c != '-' && c != '+' && c != '.') return std::nullopt;
  return value(field);
}

std::optional<DrillHole> holeOf(const std::vector<std::string_view>& fields) {
  const auto number = [&](std::size_t k) { return k < fields.size() ? numberIn(fields[k]) : std::nullopt; };
  const auto x = number(2), y = number(3), diameter = number(4);
  if (!x || !y || !diameter || *diameter <= 0) return std::nullopt;
  const auto endX = number(5), endY = number(6);
  const bool slot = endX && endY;
  return DrillHole{*x, *y, slot ? *endX : *x, slot ? *endY : *y, *diameter};
}

}  // namespace

// A record may stand in more than one of the sorted lists; it is taken from the first.
EyeDrillHoles drillHoles(const TraceRecord& trace, Side side) {
  const EdgeDrillRecords sorted = trace.edgeDrillRecords(side);
  const std::vector<std::string>* lists[] = {&sorted.referenceC, &sorted.referenceB, &sorted.referenceE};
  std::vector<std::string> records;
  for (std::size_t l = 0; l < std::size(lists); ++l)
    for (const std::string& record : *lists[l])
      if (std::none_of(lists, lists + l, [&](const auto* earlier) {
            return std::find(earlier->begin(), earlier->end(), record) != earlier->end();
          }))
        records.push_back(record);
  EyeDrillHoles holes;
  for (const std::string& record : records) {
    const std::vector<std::string_view> fields = splitFields(record, ';');
    const auto hole = fields.size() > 1 && trimBlanks(fields[1]) == "C" ? holeOf(fields) : std::nullopt;
    if (hole) holes.placed.push_back(*hole);
    else ++holes.unplaced;
  }
  return holes;
}

// Half a circle round each end, turned to face away from the other end.
std::vector<std::pair<double, double>> holeRim(const DrillHole& hole) {
  constexpr int kStepsPerHalf = 24;
  const double r = hole.diameter / 2;
  const double heading = std::atan2(hole.endY - hole.startY, hole.endX - hole.startX);
  std::vector<std::pair<double, double>> rim;
  for (const auto& [cx, cy, from] : {std::tuple{hole.endX, hole.endY, heading - 90 * kDegToRad},
                                     std::tuple{hole.startX, hole.startY, heading + 90 * kDegToRad}})
    for (int i = 0; i <= kStepsPerHalf; ++i) {
      const double a = from + 180 * kDegToRad * i / kStepsPerHalf;
      rim.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
  return rim;
}

}  // namespace lumora

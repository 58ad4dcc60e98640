#include "trace/core/drill_records.h"

#include "base/core/number_text.h"
#include "trace/core/line_ends.h"
#include "base/core/ascii_text.h"

namespace lumora::detail {
namespace {

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

const char* sideLetter(int side) { return side == 0 ? "R" : "L"; }

// The line as the side receives it: a both-eye record becomes the side's own, and for the
// left eye its horizontal coordinates change sign.
std::string adjustedForSide(std::string line, int side) {
  if (side == 0) {
    replaceAll(line, "DRILLE=B", "DRILLE=R");
  } else if (contains(line, "DRILLE=B")) {
    replaceAll(line, "DRILLE=B", "DRILLE=L");
    line = MirrorDrillRecord(line);
  }
  return line;
}

}  // namespace

std::vector<std::string> DrillRecordLines(std::string_view packet) {
  return splitToStrings(asciiUpper(UnifyLineEnds(packet)), '\n');
}

std::string MirrorDrillRecord(std::string_view record) {
  if (!contains(record, ";")) return {};
  std::vector<std::string> fields = splitToStrings(record, ';');
  for (std::size_t k : {2u, 5u})
    if (k < fields.size()) fields[k] = formatNumber(-value(fields[k]), "####.00");
  return joinFields(fields, ';');
}

bool CollectDrillLines(std::string_view packet, int side, std::vector<std::string>& lines) {
  if ((side != 0 && side != 1) || !contains(packet, "DRILL=")) return false;
  const std::string own = std::string("DRILL=") + sideLetter(side);
  bool found = false;
  for (auto& line : DrillRecordLines(packet)) {
    if (contains(line, own) || contains(line, "DRILL=B")) {
      lines.push_back(std::move(line));
      found = true;
    }
  }
  return found;
}

bool CollectDrilleLines(std::string_view packet, int side, std::vector<std::string>& drillsC,
                        std::vector<std::string>& drillsB, std::vector<std::string>& drillsE) {
  if ((side != 0 && side != 1) || !contains(packet, "DRILLE=")) return false;
  const std::string own = std::string("DRILLE=") + sideLetter(side);
  const struct {
    std::string_view test;
    std::vector<std::string>& list;
  } sorts[] = {{";C;", drillsC}, {";B", drillsB}, {";E", drillsE}};
  bool found = false;
  for (const auto& line : DrillRecordLines(packet)) {
    if (!contains(line, "DRILLE=")) continue;
    found = true;
    const bool forSide = contains(line, "DRILLE=B") || contains(line, own);
    for (const auto& sort : sorts)
      if (forSide && contains(line, sort.test)) sort.list.push_back(adjustedForSide(line, side));
  }
  return found;
}

}  // namespace lumora::detail

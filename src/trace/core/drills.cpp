// Drill records ("DRILL=", "DRILLE=") of one eye, read from the stored packet on every
// request as upper-case record lines. The right eye's letter is "R", the left eye's "L"; "B"
// in a record stands for both eyes.
#include "trace/core/trace_record.h"

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"
#include "trace/core/line_ends.h"

namespace lumora {
namespace {

bool contains(std::string_view text, std::string_view part) {
  return text.find(part) != std::string_view::npos;
}

const char* sideLetter(Side side) { return side == Side::Right ? "R" : "L"; }

// The packet upper-cased, CR LF and then lone CR turned into LF, split at LF.
std::vector<std::string> drillRecordLines(std::string_view packet) {
  return splitToStrings(asciiUpper(unifyLineEnds(packet)), '\n');
}

// The both-eye record turned into the left eye's: fields 2 and 5 (the horizontal
// coordinates, mm) negated and printed "####.00", every other field kept as written.
// A record that is empty or has no ";" gives an empty text.
std::string mirrorDrillRecord(std::string_view record) {
  if (!contains(record, ";")) return {};
  std::vector<std::string> fields = splitToStrings(record, ';');
  for (std::size_t k : {2u, 5u})
    if (k < fields.size()) fields[k] = formatNumber(-value(fields[k]), "####.00");
  return joinFields(fields, ';');
}

// The line as the side receives it: a both-eye record becomes the side's own, and for the
// left eye its horizontal coordinates change sign.
std::string adjustedForSide(std::string line, Side side) {
  if (side == Side::Right) {
    replaceAll(line, "DRILLE=B", "DRILLE=R");
  } else if (contains(line, "DRILLE=B")) {
    replaceAll(line, "DRILLE=B", "DRILLE=L");
    line = mirrorDrillRecord(line);
  }
  return line;
}

}  // namespace

std::vector<std::string> TraceRecord::drillLines(Side side) const {
  std::vector<std::string> lines;
  if (!contains(packet_, "DRILL=")) return lines;
  const std::string own = std::string("DRILL=") + sideLetter(side);
  for (auto& line : drillRecordLines(packet_))
    if (contains(line, own) || contains(line, "DRILL=B")) lines.push_back(std::move(line));
  return lines;
}

// The first test is on the packet as written: lower-case records alone are none.
EdgeDrillRecords TraceRecord::edgeDrillRecords(Side side) const {
  EdgeDrillRecords records;
  records.anyInPacket = contains(packet_, "DRILLE=");
  if (!records.anyInPacket) return records;
  const std::string own = std::string("DRILLE=") + sideLetter(side);
  const struct {
    std::string_view test;
    std::vector<std::string>& list;
  } sorts[] = {{";C;", records.referenceC}, {";B", records.referenceB}, {";E", records.referenceE}};
  for (const auto& line : drillRecordLines(packet_)) {
    if (!contains(line, "DRILLE=B") && !contains(line, own)) continue;
    for (const auto& sort : sorts)
      if (contains(line, sort.test)) sort.list.push_back(adjustedForSide(line, side));
  }
  return records;
}

}  // namespace lumora

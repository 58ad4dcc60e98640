// Loading a trace by name and deriving the record values from a packet.
#include "trace/core/trace_record.h"

#include <charconv>
#include <cmath>

#include "base/core/ascii_text.h"
#include "base/core/file_read.h"
#include "base/core/number_text.h"
#include "trace/core/format_line.h"
#include "trace/core/line_ends.h"
#include "trace/core/trace_name.h"

namespace lumora {
namespace {

// The number, when the whole text, blanks around it aside, is one decimal number.
std::optional<double> wholeDecimal(std::string_view text) {
  text = trimBlanks(text, " \t");
  if (text.empty()) return std::nullopt;
  if (text.front() == '+') {  // one sign at most: "+-18.5" is no number
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return std::nullopt;
  }
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) return std::nullopt;
  return number;
}

}  // namespace

std::optional<Problem> TraceRecord::load(const std::string& folder, const std::string& name) {
  Result<std::string> text = loadText(folder, name);
  if (!text) return text.problem();
  return std::nullopt;
}

// A name that is no safe trace name (a path, "..") could read a file outside the folder.
Result<std::string> TraceRecord::loadText(const std::string& folder, const std::string& name) {
  packet_.clear();
  upperValid_ = normalised_ = false;
  if (const auto problem = traceNameProblem(name)) return Problem{"the trace name \"" + name + "\" " + problem->text};
  const std::string path = joinPath(folder, name);
  if (!fileExists(path)) return Problem{"no trace file " + path};
  std::string text = readFileText(path);
  if (text.empty()) return Problem{"the trace file " + path + " is empty or cannot be read"};
  process(text);
  return text;
}

// The first label lookup below unifies the line ends anyway; doing it while copying saves
// a pass over the packet, and tells whether the lookups have anything left to normalise or
// to upper-case.
void TraceRecord::process(std::string_view packet) {
  UnifiedText unified = unifyAndSurvey(packet);
  packet_ = std::move(unified.text);
  normalised_ = !unified.lfPairs;
  upperValid_ = upperIsPacket_ = !unified.lowerCase;
  readRecordValues();
  readFrameTypes();
  const PerSide<std::string> asRead = readFormatLines();
  readRadiusData(asRead);
  applyBaseCurveFallback();
  completeMissingSide();
  readSData();
  measureSides();
}

void TraceRecord::readRecordValues() {
  const auto setBoth = [&](const PerSide<std::string>& texts, double SideData::*field) {
    for (Side side : kBothSides) sides_[side].*field = value(texts[side]);
  };
  setBoth(labelValueOfBothEyes("HBOX="), &SideData::boxWidth);
  setBoth(labelValueOfBothEyes("VBOX="), &SideData::boxHeight);
  setBoth(labelValueOfBothEyes("CIRC="), &SideData::circumference);
  // Tracers send the frame curve as "FCRV="; a packet that has the "FRCV=" record keeps it.
  PerSide<std::string> frameCurve = labelValueOfBothEyes("FRCV=");
  if (frameCurve[Side::Right].empty() && frameCurve[Side::Left].empty()) frameCurve = labelValueOfBothEyes("FCRV=");
  setBoth(frameCurve, &SideData::frameCurve);
  setBoth(labelValueOfBothEyes("BEVC="), &SideData::bevelCurve);
  for (SideData& s : sides_.values) {
    if (s.frameCurve == 0) s.frameCurve = s.bevelCurve;  // one curve given: both take it
    if (s.bevelCurve == 0) s.bevelCurve = s.frameCurve;
  }
  if (const auto dbl = wholeDecimal(labelValue("DBL=", Side::Right))) distanceBetweenLenses_ = *dbl;
}

void TraceRecord::readFrameTypes() {
  frameType_ = labelValue("FTYP=", Side::Right);
  edgeType_ = labelValue("ETYP=", Side::Right);
  const double e = value(edgeType_);
  const double f = value(frameType_);
  if (e == 1) orderFrameType_ = f == 2 ? "M" : "P";
  else if (e == 2) orderFrameType_ = "R";
  else if (e == 3) orderFrameType_ = "G";
  else orderFrameType_.clear();
}

PerSide<std::string> TraceRecord::readFormatLines() {
  for (SideData& s : sides_.values) s.traceFormat.clear(), s.zFormat.clear();
  SideData& right = sides_[Side::Right];
  SideData& left = sides_[Side::Left];
  // Every format label ends in "FMT=", so only lines holding that need looking at.
  forEachLineContaining(upperPacket(), "FMT=", [&](std::string_view line) {
    auto has = [&](std::string_view label) { return line.find(label) != std::string_view::npos; };
    if (has("TRCFMT=")) assignBySideField(line, right.traceFormat, left.traceFormat);
    if (has("ZFMT=")) assignBySideField(line, right.zFormat, left.zFormat);
  });
  PerSide<std::string> asRead{{right.traceFormat, left.traceFormat}};
  // A side without a trace format has no counts, whatever an earlier packet declared.
  for (SideData& s : sides_.values) {
    s.radiusCount = s.traceFormat.empty() ? 0 : declaredCount(s.traceFormat);
    s.zCount = s.traceFormat.empty() ? 0 : declaredCount(s.zFormat);
  }
  replaceAll(right.traceFormat, ";B;", ";R;");
  replaceAll(right.zFormat, ";B;", ";R;");
  return asRead;
}

}  // namespace lumora

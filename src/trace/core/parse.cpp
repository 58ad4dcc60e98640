// Loading a trace by name and deriving the record values from a packet.
#include <charconv>
#include <cmath>

#include "base/core/file_read.h"
#include "trace/core/format_line.h"
#include "base/core/number_text.h"
#include "base/core/shared_values.h"
#include "trace/core/line_ends.h"
#include "base/core/ascii_text.h"
#include "trace/core/trace_name.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

// True when the whole text, blanks around it aside, is one decimal number.
bool parseWholeDecimal(std::string_view text, double& out) {
  text = trimBlanks(text, " \t");
  if (text.empty()) return false;
  if (text.front() == '+') {  // one sign at most: "+-18.5" is no number
    text.remove_prefix(1);
    if (text.empty() || text.front() == '-') return false;
  }
  double number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(number)) return false;
  out = number;
  return true;
}

}  // namespace

bool clsVCATrace::LoadVCATrace(const std::string& TraceNum, const std::string& /*FolderPath*/) {
  traceFolder_ = Shared().SavePath;
  packet_.clear();
  upperValid_ = normalised_ = false;
  if (!IsSafeTraceName(TraceNum) || !fileExists(joinPath(traceFolder_, TraceNum))) return false;
  const std::string packet = GetVCATracePacket(TraceNum);
  if (packet.empty()) return false;
  ProcessTrace(packet);
  return true;
}

// A name that is no safe trace name (a path, "..") could read a file outside the folder.
std::string clsVCATrace::GetVCATracePacket(const std::string& TraceNum) const {
  if (!IsSafeTraceName(TraceNum)) return {};
  return readFileText(joinPath(traceFolder_, TraceNum));
}

// The first label lookup below unifies the line ends anyway; doing it while copying saves
// a pass over the packet, and tells whether the lookups have anything left to normalise or
// to upper-case.
void clsVCATrace::ProcessTrace(const std::string& TracePacket) {
  UnifiedText unified = UnifyAndSurvey(TracePacket);
  packet_ = std::move(unified.text);
  normalised_ = !unified.lfPairs;
  upperValid_ = upperIsPacket_ = !unified.lowerCase;
  ParseTracePacket();
  ExtractSData();
  MeasureSide(0);
  MeasureSide(1);
}

void clsVCATrace::ParseTracePacket() {
  ParseRecordValues();
  ParseFrameTypes();
  const PerSide<std::string> asRead = ParseFormatLines();
  ExtractRadiusData(asRead);
  ApplyBaseCurveFallback();
  SynthesiseMissingSideRecords();
}

void clsVCATrace::ParseRecordValues() {
  const auto setBoth = [&](const PerSide<std::string>& texts, double SideData::*field) {
    for (std::size_t side = 0; side < 2; ++side) sides_[side].*field = value(texts[side]);
  };
  setBoth(LabelValueOfBothEyes("HBOX="), &SideData::a);
  setBoth(LabelValueOfBothEyes("VBOX="), &SideData::b);
  setBoth(LabelValueOfBothEyes("CIRC="), &SideData::c);
  // Tracers send the frame curve as "FCRV="; a packet that has the "FRCV=" record keeps it.
  PerSide<std::string> frameCurve = LabelValueOfBothEyes("FRCV=");
  if (frameCurve[0].empty() && frameCurve[1].empty()) frameCurve = LabelValueOfBothEyes("FCRV=");
  setBoth(frameCurve, &SideData::fcrv);
  setBoth(LabelValueOfBothEyes("BEVC="), &SideData::bevc);
  for (SideData& s : sides_) {
    if (s.fcrv == 0) s.fcrv = s.bevc;  // one curve given: both take it
    if (s.bevc == 0) s.bevc = s.fcrv;
  }
  double dbl = 0;
  if (parseWholeDecimal(VCALabelValue("DBL=", 0), dbl)) dbl_ = dbl;
}

void clsVCATrace::ParseFrameTypes() {
  ftyp_ = VCALabelValue("FTYP=", 0);
  etyp_ = VCALabelValue("ETYP=", 0);
  const double e = value(etyp_);
  const double f = value(ftyp_);
  if (e == 1) lumFrameType_ = f == 2 ? "M" : "P";
  else if (e == 2) lumFrameType_ = "R";
  else if (e == 3) lumFrameType_ = "G";
  else lumFrameType_.clear();
}

PerSide<std::string> clsVCATrace::ParseFormatLines() {
  for (SideData& s : sides_) s.tFormat.clear(), s.zFormat.clear();
  // Every format label ends in "FMT=", so only lines holding that need looking at.
  forEachLineContaining(UpperPacket(), "FMT=", [&](std::string_view line) {
    auto has = [&](std::string_view label) { return line.find(label) != std::string_view::npos; };
    if (has("TRCFMT=")) AssignBySideField(line, sides_[0].tFormat, sides_[1].tFormat);
    if (has("ZFMT=")) AssignBySideField(line, sides_[0].zFormat, sides_[1].zFormat);
  });
  PerSide<std::string> asRead{sides_[0].tFormat, sides_[1].tFormat};
  // A side without a trace format has no counts, whatever an earlier packet declared.
  for (SideData& s : sides_) {
    s.radiusCount = s.tFormat.empty() ? 0 : DeclaredCount(s.tFormat);
    s.zCount = s.tFormat.empty() ? 0 : DeclaredCount(s.zFormat);
  }
  replaceAll(sides_[0].tFormat, ";B;", ";R;");
  replaceAll(sides_[0].zFormat, ";B;", ";R;");
  return asRead;
}

}  // namespace lumora

// Radius, angle, Z and S data lists of both sides, and the synthesis of a missing eye.
#include "trace/core/format_line.h"
#include "trace/core/mirror.h"
#include "trace/core/numtext.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

// Which sides have a format line: from the first to the last present side.
template <typename HasFormat>
void forPresentSides(HasFormat hasFormat, auto&& body) {
  const int first = hasFormat(0) ? 0 : 1;
  const int last = hasFormat(1) ? 1 : 0;
  for (int side = first; side <= last; ++side) body(side);
}

// The block that starts at the first `label` after the side's format line. The packet's
// line ends are already LF (every lookup normalises them), so the block is a view into it.
std::string_view dataBlock(const std::string& packet, const std::string& upper,
                           const std::string& formatLineAsRead, std::string_view label) {
  const std::size_t section = upper.find(formatLineAsRead);
  if (section == std::string::npos) return {};
  const std::size_t start = packet.find(label, section);
  if (start == std::string::npos) return {};
  return std::string_view(packet).substr(start);
}

enum class Take { PositiveValues, EveryField };

// Appends to `list` the fields of the lines starting with `label` (every field, or those
// whose value is greater than 0, whose numbers also go to `numbers` when given), line by
// line, until `wanted` fields are taken (checked after whole lines). No trailing ";".
void collectValues(std::string_view block, std::string_view label, std::int64_t wanted, std::string& list,
                   Take take, std::vector<double>* numbers = nullptr) {
  std::int64_t count = 0;
  ForEachLine(block, [&](std::string_view line) {
    if (line.starts_with(label)) {
      line.remove_prefix(label.size());
      // Taken fields that follow each other are appended as one run, separators included.
      std::size_t run = std::string_view::npos;
      for (std::size_t start = 0, end = 0; end <= line.size(); start = ++end) {
        while (end < line.size() && line[end] != ';') ++end;  // fields are short: scan by hand
        const double number = take == Take::PositiveValues ? value(line.substr(start, end - start)) : 0;
        if (take == Take::EveryField || number > 0) {
          ++count;
          if (numbers) numbers->push_back(number);
          if (run == std::string_view::npos) run = start;
        } else if (run != std::string_view::npos) {
          list += line.substr(run, start - run);  // ends with the ";" before this field
          run = std::string_view::npos;
        }
      }
      if (run != std::string_view::npos) (list += line.substr(run)) += ';';
    }
    return count < wanted;
  });
  if (!list.empty() && list.back() == ';') list.pop_back();
}

}  // namespace

void clsVCATrace::ExtractRadiusData(const PerSide<std::string>& formatLinesAsRead) {
  auto hasFormat = [&](int side) { return !sides_[static_cast<std::size_t>(side)].tFormat.empty(); };
  const std::string& upper = UpperPacket();
  forPresentSides(hasFormat, [&](int side) {
    SideData& s = sides_[static_cast<std::size_t>(side)];
    const std::string_view block = dataBlock(packet_, upper, formatLinesAsRead[static_cast<std::size_t>(side)], "R=");
    collectValues(block, "R=", s.radiusCount, s.rxRadii, Take::PositiveValues, &s.rxRadiusValues);
    collectValues(block, "A=", s.radiusCount, s.rxAngles, Take::PositiveValues);
    collectValues(block, "Z=", s.zCount, s.rxZ, Take::PositiveValues, &s.rxZValues);
  });
  for (SideData& s : sides_) {
    s.vcaRadii = s.rxRadii;
    s.vcaZ = s.rxZ;
    s.vcaAngles = s.rxAngles;
  }
  SideData& left = sides_[1];
  if (!left.rxRadii.empty()) {
    MirrorTraceData(left.rxRadii, left.rxZ, left.rxAngles);
    MirrorValues(left.rxRadiusValues);
    MirrorValues(left.rxZValues);
  }
}

// A one-eye trace gets the other eye: the same Rx lists, the mirrored VCA lists.
void clsVCATrace::SynthesiseMissingSide() {
  const bool right = !sides_[0].tFormat.empty();
  const bool left = !sides_[1].tFormat.empty();
  if (right == left) return;
  const SideData& from = sides_[right ? 0 : 1];
  SideData& to = sides_[right ? 1 : 0];
  to.rxRadii = from.rxRadii;
  to.rxZ = from.rxZ;
  to.rxRadiusValues = from.rxRadiusValues;
  to.rxZValues = from.rxZValues;
  to.rxAngles = from.rxAngles;
  to.vcaRadii = from.vcaRadii;
  to.vcaZ = from.vcaZ;
  to.vcaAngles = from.vcaAngles;
  MirrorTraceData(to.vcaRadii, to.vcaZ, to.vcaAngles);
  to.radiusCount = from.radiusCount;
  to.zCount = from.zCount;
  to.tFormat = from.tFormat;
  to.zFormat = from.zFormat;
  ReplaceSideField(to.tFormat, right ? ";R;" : ";L;", right ? ";L;" : ";R;");
  ReplaceSideField(to.zFormat, right ? ";R;" : ";L;", right ? ";L;" : ";R;");
  to.bevc = from.bevc;
  to.fcrv = from.fcrv;
}

void clsVCATrace::ExtractSData() {
  PerSide<std::string> asRead;
  for (SideData& s : sides_) s.rxS.clear(), s.sFormat.clear();
  const std::string& upper = UpperPacket();
  ForEachLine(upper, [&](std::string_view line) {
    if (line.find("_SHLFFMT=") == std::string_view::npos) return true;
    if (line.find(";R;") != std::string_view::npos) sides_[0].sFormat = line;
    if (line.find(";L;") != std::string_view::npos) sides_[1].sFormat = line;
    if (line.find(";B;") != std::string_view::npos) sides_[0].sFormat = line;
    return true;
  });
  for (std::size_t side = 0; side < 2; ++side) {
    SideData& s = sides_[side];
    asRead[side] = s.sFormat;
    if (!s.sFormat.empty()) s.sCount = DeclaredCount(s.sFormat);
  }
  ReplaceSideField(sides_[0].sFormat, ";B;", ";R;");
  auto hasFormat = [&](int side) { return !sides_[static_cast<std::size_t>(side)].sFormat.empty(); };
  forPresentSides(hasFormat, [&](int side) {
    SideData& s = sides_[static_cast<std::size_t>(side)];
    const std::string_view block = dataBlock(packet_, upper, asRead[static_cast<std::size_t>(side)], "_S=");
    collectValues(block, "_S=", s.sCount, s.rxS, Take::EveryField);
  });
  for (SideData& s : sides_) s.vcaS = s.rxS;
  if (!sides_[1].rxS.empty()) MirrorList(sides_[1].rxS);
  const bool right = !sides_[0].sFormat.empty();
  const bool left = !sides_[1].sFormat.empty();
  if (right == left) return;
  const SideData& from = sides_[right ? 0 : 1];
  SideData& to = sides_[right ? 1 : 0];
  to.rxS = from.rxS;
  to.vcaS = from.vcaS;
  MirrorList(to.vcaS);
  to.sCount = from.sCount;
  to.sFormat = from.sFormat;
  ReplaceSideField(to.sFormat, right ? ";R;" : ";L;", right ? ";L;" : ";R;");
}

}  // namespace lumora

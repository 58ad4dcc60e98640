// Radius, angle, Z and S data lists of both sides, and the synthesis of a missing eye.
#include "trace/core/format_line.h"
#include "trace/core/list_gather.h"
#include "trace/core/mirror.h"
#include "trace/core/text_util.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

// Which sides have a format line: from the first to the last present side.
template <typename HasFormat>
void forPresentSides(HasFormat hasFormat, auto&& body) {
  const int first = hasFormat(0) ? 0 : 1;
  const int last = hasFormat(1) ? 1 : 0;
  for (int side = first; side <= last; ++side) body(static_cast<std::size_t>(side));
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

// One side's R, A and Z lists as the packet gives them.
struct GatheredSide {
  FieldList radii, angles, z;
  std::vector<double> radiusValues, angleValues, zValues;
};

// Radii and angles stop at the declared radius count, Z values at the declared Z count.
GatheredSide gatherSide(std::string_view block, std::int64_t radiusCount, std::int64_t zCount) {
  ListGatherer r{"R=", radiusCount, Take::PositiveValues};
  ListGatherer a{"A=", radiusCount, Take::PositiveValues};
  ListGatherer z{"Z=", zCount, Take::PositiveValues};
  GatherLists(block, {&r, &a, &z});
  return {std::move(r.list), std::move(a.list), std::move(z.list),
          std::move(r.values), std::move(a.values), std::move(z.values)};
}

// In a one-eye trace, the eye that has no format line of the given kind: 0 or 1, else 2.
std::size_t missingEye(const std::string& rightFormat, const std::string& leftFormat) {
  if (rightFormat.empty() == leftFormat.empty()) return 2;
  return rightFormat.empty() ? 0 : 1;
}

// The present eye's format line as the missing eye's: its side field (";R;" or ";L;") turned.
std::string formatForMissingEye(std::string formatLine, std::size_t missing) {
  ReplaceAll(formatLine, missing == 1 ? ";R;" : ";L;", missing == 1 ? ";L;" : ";R;");
  return formatLine;
}

// The texts are copied or moved in, as the caller passes them.
void setTexts(SideLists& lists, std::string radii, std::string angles, std::string z) {
  lists.radii = std::move(radii);
  lists.angles = std::move(angles);
  lists.z = std::move(z);
}

void setMirrored(SideLists& lists, const GatheredSide& g) {
  lists.radii = MirroredFields(g.radii);
  lists.angles = MirroredAngles(g.angleValues);
  lists.z = MirroredFields(g.z);
}

}  // namespace

// The left eye's Rx lists are its own mirrored, unless it has no radii. A one-eye trace
// gives the other eye the same Rx lists and the mirrored VCA lists.
void clsVCATrace::ExtractRadiusData(const PerSide<std::string>& formatLinesAsRead) {
  auto hasFormat = [&](int side) { return !sides_[static_cast<std::size_t>(side)].tFormat.empty(); };
  const std::string& upper = UpperPacket();
  PerSide<GatheredSide> gathered;
  forPresentSides(hasFormat, [&](std::size_t side) {
    const SideData& s = sides_[side];
    const std::string_view block = dataBlock(packet_, upper, formatLinesAsRead[side], "R=");
    gathered[side] = gatherSide(block, s.radiusCount, s.zCount);
  });
  const bool oneEye = hasFormat(0) != hasFormat(1);
  const std::size_t from = hasFormat(0) ? 0 : 1;
  SideLists synthesised;  // built before the present eye's lists move out of `gathered`
  if (oneEye) setMirrored(synthesised, gathered[from]);
  for (std::size_t side = 0; side < 2; ++side) {
    SideData& s = sides_[side];
    GatheredSide& g = gathered[side];
    if (side == 1 && !g.radii.text.empty()) {
      setMirrored(s.rx, g);
      s.rxRadiusValues = MirroredValues(g.radiusValues);
      s.rxZValues = MirroredValues(g.zValues);
    } else {
      setTexts(s.rx, g.radii.text, g.angles.text, g.z.text);
      s.rxRadiusValues = std::move(g.radiusValues);
      s.rxZValues = std::move(g.zValues);
    }
    setTexts(s.vca, std::move(g.radii.text), std::move(g.angles.text), std::move(g.z.text));
  }
  if (!oneEye) return;
  SideData& to = sides_[1 - from];
  to.rx = sides_[from].rx;
  to.rxRadiusValues = sides_[from].rxRadiusValues;
  to.rxZValues = sides_[from].rxZValues;
  setTexts(to.vca, std::move(synthesised.radii), std::move(synthesised.angles), std::move(synthesised.z));
}

// A one-eye trace gives the other eye its counts, formats and curves.
void clsVCATrace::SynthesiseMissingSideRecords() {
  const std::size_t missing = missingEye(sides_[0].tFormat, sides_[1].tFormat);
  if (missing == 2) return;
  const SideData& from = sides_[1 - missing];
  SideData& to = sides_[missing];
  to.radiusCount = from.radiusCount;
  to.zCount = from.zCount;
  to.tFormat = formatForMissingEye(from.tFormat, missing);
  to.zFormat = formatForMissingEye(from.zFormat, missing);
  to.bevc = from.bevc;
  to.fcrv = from.fcrv;
}

void clsVCATrace::ExtractSData() {
  PerSide<std::string> asRead;
  for (SideData& s : sides_) s.rx.s.clear(), s.sFormat.clear();
  const std::string& upper = UpperPacket();
  ForEachLineContaining(upper, "_SHLFFMT=", [&](std::string_view line) {
    AssignBySideField(line, sides_[0].sFormat, sides_[1].sFormat);
  });
  for (std::size_t side = 0; side < 2; ++side) {
    SideData& s = sides_[side];
    asRead[side] = s.sFormat;
    s.sCount = s.sFormat.empty() ? 0 : DeclaredCount(s.sFormat);
  }
  ReplaceAll(sides_[0].sFormat, ";B;", ";R;");
  auto hasFormat = [&](int side) { return !sides_[static_cast<std::size_t>(side)].sFormat.empty(); };
  forPresentSides(hasFormat, [&](std::size_t side) {
    SideData& s = sides_[side];
    ListGatherer g{"_S=", s.sCount, Take::EveryField};
    GatherLists(dataBlock(packet_, upper, asRead[side], "_S="), {&g});
    s.rx.s = std::move(g.list.text);
  });
  for (SideData& s : sides_) s.vca.s = s.rx.s;
  if (!sides_[1].rx.s.empty()) MirrorList(sides_[1].rx.s);
  const std::size_t missing = missingEye(sides_[0].sFormat, sides_[1].sFormat);
  if (missing == 2) return;
  const SideData& from = sides_[1 - missing];
  SideData& to = sides_[missing];
  to.rx.s = from.rx.s;
  to.vca.s = from.vca.s;
  MirrorList(to.vca.s);
  to.sCount = from.sCount;
  to.sFormat = formatForMissingEye(from.sFormat, missing);
}

}  // namespace lumora

// Radius, angle, Z and S data lists of both sides, and the synthesis of a missing eye.
#include "trace/core/format_line.h"
#include "trace/core/list_gather.h"
#include "trace/core/mirror.h"
#include "base/core/ascii_text.h"
#include "trace/core/vca_trace.h"

namespace lumora {
namespace {

constexpr std::size_t kNone = std::string::npos;

// Where the first `label` after the side's format line stands, or kNone. The packet's line
// ends are already LF (every lookup normalises them), so the data lines are one block.
std::size_t dataStart(const std::string& packet, const std::string& upper,
                      const std::string& formatLineAsRead, std::string_view label) {
  if (formatLineAsRead.empty()) return kNone;
  const std::size_t section = upper.find(formatLineAsRead);
  return section == kNone ? kNone : packet.find(label, section);
}

std::string_view blockAt(const std::string& packet, std::size_t start) {
  return start == kNone ? std::string_view() : std::string_view(packet).substr(start);
}

// In a one-eye trace, the eye that has no format line of the given kind: 0 or 1, else 2.
std::size_t missingEye(const std::string& rightFormat, const std::string& leftFormat) {
  if (rightFormat.empty() == leftFormat.empty()) return 2;
  return rightFormat.empty() ? 0 : 1;
}

// The present eye's format line as the missing eye's: its side field (";R;" or ";L;") turned.
std::string formatForMissingEye(std::string formatLine, std::size_t missing) {
  replaceAll(formatLine, missing == 1 ? ";R;" : ";L;", missing == 1 ? ";L;" : ";R;");
  return formatLine;
}

}  // namespace

// Radii stop at the declared radius count, Z values at the declared Z count. The left eye's
// Rx values are its own mirrored, unless it has no radii; a one-eye trace gives the other
// eye the same Rx values.
void clsVCATrace::ExtractRadiusData(const PerSide<std::string>& formatLinesAsRead) {
  const std::string& upper = UpperPacket();
  lists_.packet = packet_;
  PerSide<std::vector<double>> radii, depths;
  for (std::size_t side = 0; side < 2; ++side) {
    const SideData& s = sides_[side];
    lists_.traced[side] = !s.tFormat.empty();
    lists_.dataStart[side] = dataStart(packet_, upper, formatLinesAsRead[side], "R=");
    ListGatherer r{"R=", s.radiusCount, Take::PositiveNumbers};
    ListGatherer z{"Z=", s.zCount, Take::PositiveNumbers};
    GatherLists(blockAt(lists_.packet, lists_.dataStart[side]), {&r, &z});
    radii[side] = std::move(r.values);
    depths[side] = std::move(z.values);
  }
  lists_.leftHasRadii = !radii[1].empty();
  for (std::size_t side = 0; side < 2; ++side) {
    SideData& s = sides_[side];
    const bool mirror = side == 1 && lists_.leftHasRadii;
    s.rxRadiusValues = mirror ? MirroredValues(radii[side]) : std::move(radii[side]);
    s.rxZValues = mirror ? MirroredValues(depths[side]) : std::move(depths[side]);
  }
  if (lists_.traced[0] == lists_.traced[1]) return;
  const std::size_t from = lists_.traced[0] ? 0 : 1;
  sides_[1 - from].rxRadiusValues = sides_[from].rxRadiusValues;
  sides_[1 - from].rxZValues = sides_[from].rxZValues;
}

// A side's list as the packet gives it (VCA) or as seen from the front (Rx): the left eye's
// Rx lists are its own mirrored, unless it has no radii. A one-eye trace gives the other
// eye the same Rx lists and the mirrored VCA lists.
std::string clsVCATrace::ListText(int side, ListKind kind, Orientation orientation) const {
  if (!validSide(side)) return {};
  const auto own = static_cast<std::size_t>(side);
  const std::size_t from = lists_.traced[own] ? own : 1 - own;
  if (!lists_.traced[from]) return {};
  const bool rx = orientation == Orientation::Rx;
  if (from != own && rx) return ListText(static_cast<int>(from), kind, orientation);
  static constexpr std::string_view kLabels[] = {"R=", "A=", "Z="};
  const SideData& s = sides_[from];
  ListGatherer g{kLabels[static_cast<int>(kind)], kind == ListKind::Z ? s.zCount : s.radiusCount,
                 Take::PositiveValues};
  GatherLists(blockAt(lists_.packet, lists_.dataStart[from]), {&g});
  const bool mirror = from != own || (rx && own == 1 && lists_.leftHasRadii);
  if (!mirror) return std::move(g.list.text);
  return kind == ListKind::Angles ? MirroredAngles(g.values) : MirroredFields(g.list);
}

// The S lists follow the same rules, with the left eye mirrored whenever it has S values.
std::string clsVCATrace::SListText(int side, Orientation orientation) const {
  if (!validSide(side)) return {};
  const auto own = static_cast<std::size_t>(side);
  const std::size_t from = lists_.sTraced[own] ? own : 1 - own;
  if (!lists_.sTraced[from]) return {};
  const bool rx = orientation == Orientation::Rx;
  if (from != own && rx) return SListText(static_cast<int>(from), orientation);
  ListGatherer g{"_S=", sides_[from].sCount, Take::EveryField};
  GatherLists(blockAt(lists_.packet, lists_.sStart[from]), {&g});
  std::string text = std::move(g.list.text);
  if (from != own || (rx && own == 1 && !text.empty())) MirrorList(text);
  return text;
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
  for (SideData& s : sides_) s.sFormat.clear();
  const std::string& upper = UpperPacket();
  forEachLineContaining(upper, "_SHLFFMT=", [&](std::string_view line) {
    AssignBySideField(line, sides_[0].sFormat, sides_[1].sFormat);
  });
  for (std::size_t side = 0; side < 2; ++side) {
    SideData& s = sides_[side];
    s.sCount = s.sFormat.empty() ? 0 : DeclaredCount(s.sFormat);
    lists_.sTraced[side] = !s.sFormat.empty();
    lists_.sStart[side] = dataStart(lists_.packet, upper, s.sFormat, "_S=");
  }
  replaceAll(sides_[0].sFormat, ";B;", ";R;");
  const std::size_t missing = missingEye(sides_[0].sFormat, sides_[1].sFormat);
  if (missing == 2) return;
  const SideData& from = sides_[1 - missing];
  SideData& to = sides_[missing];
  to.sCount = from.sCount;
  to.sFormat = formatForMissingEye(from.sFormat, missing);
}

}  // namespace lumora

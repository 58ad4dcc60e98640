// Radius, angle, Z and S data lists of both eyes, and the completion of a one-eye trace.
#include "base/core/ascii_text.h"
#include "trace/core/format_line.h"
#include "trace/core/list_gather.h"
#include "trace/core/mirror.h"
#include "trace/core/trace_record.h"

namespace lumora {
namespace {

constexpr std::size_t kNone = std::string::npos;

// Where the first `label` after the eye's format line stands, or kNone. The packet's line
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

// In a one-eye trace, the eye that has no format line of the given kind.
std::optional<Side> missingEye(const std::string& rightFormat, const std::string& leftFormat) {
  if (rightFormat.empty() == leftFormat.empty()) return std::nullopt;
  return rightFormat.empty() ? Side::Right : Side::Left;
}

// The present eye's format line as the missing eye's: its side field (";R;" or ";L;") turned.
std::string formatForMissingEye(std::string formatLine, Side missing) {
  const bool left = missing == Side::Left;
  replaceAll(formatLine, left ? ";R;" : ";L;", left ? ";L;" : ";R;");
  return formatLine;
}

}  // namespace

// Radii stop at the declared radius count, Z values at the declared Z count. The left eye's
// values as the right eye is seen are its own mirrored, unless it has no radii; a one-eye
// trace gives the other eye the same values.
void TraceRecord::readRadiusData(const PerSide<std::string>& formatLinesAsRead) {
  const std::string& upper = upperPacket();
  lists_.packet = packet_;
  PerSide<std::vector<double>> radii, depths;
  for (Side side : kBothSides) {
    const SideData& s = sides_[side];
    lists_.traced[side] = !s.traceFormat.empty();
    lists_.dataStart[side] = dataStart(packet_, upper, formatLinesAsRead[side], "R=");
    ListGatherer r{"R=", s.radiusCount, Take::PositiveNumbers};
    ListGatherer z{"Z=", s.zCount, Take::PositiveNumbers};
    gatherLists(blockAt(lists_.packet, lists_.dataStart[side]), {&r, &z});
    radii[side] = std::move(r.values);
    depths[side] = std::move(z.values);
  }
  lists_.leftHasRadii = !radii[Side::Left].empty();
  for (Side side : kBothSides) {
    SideData& s = sides_[side];
    const bool mirror = side == Side::Left && lists_.leftHasRadii;
    s.radiiAsRightEye = mirror ? mirroredValues(radii[side]) : std::move(radii[side]);
    s.depthsAsRightEye = mirror ? mirroredValues(depths[side]) : std::move(depths[side]);
  }
  if (lists_.traced[Side::Right] == lists_.traced[Side::Left]) return;
  const Side from = lists_.traced[Side::Right] ? Side::Right : Side::Left;
  sides_[otherSide(from)].radiiAsRightEye = sides_[from].radiiAsRightEye;
  sides_[otherSide(from)].depthsAsRightEye = sides_[from].depthsAsRightEye;
}

// A list as the packet gives it or as the right eye is seen: the left eye's is its own
// mirrored (the radius, angle and Z lists only when it has radii). A one-eye trace gives the
// other eye the same lists as the right eye is seen, and its own lists mirrored.
std::optional<TraceRecord::ListPlan> TraceRecord::planList(DataList list, Side side, Orientation orientation) const {
  const bool sValues = list == DataList::SValues;
  const PerSide<bool>& traced = sValues ? lists_.sTraced : lists_.traced;
  const bool leftMirrored = sValues || lists_.leftHasRadii;
  const bool asRightEye = orientation == Orientation::AsRightEye;
  if (traced[side]) return ListPlan{side, asRightEye && side == Side::Left && leftMirrored};
  const Side from = otherSide(side);
  if (!traced[from]) return std::nullopt;
  return ListPlan{from, !asRightEye || (from == Side::Left && leftMirrored)};
}

// Gathering stops after the whole line that reaches the eye's declared count: the Z count
// for Z values, the S count for S values, the radius count for the others.
std::string TraceRecord::listText(DataList list, Side side, Orientation orientation) const {
  const auto plan = planList(list, side, orientation);
  if (!plan) return {};
  const SideData& s = sides_[plan->from];
  if (list == DataList::SValues) {
    ListGatherer g{"_S=", s.sCount, Take::EveryField};
    gatherLists(blockAt(lists_.packet, lists_.sStart[plan->from]), {&g});
    if (plan->mirrored) mirrorList(g.list.text);
    return std::move(g.list.text);
  }
  const bool depths = list == DataList::Depths;
  const std::string_view label = depths ? "Z=" : list == DataList::Angles ? "A=" : "R=";
  ListGatherer g{label, depths ? s.zCount : s.radiusCount, Take::PositiveValues};
  gatherLists(blockAt(lists_.packet, lists_.dataStart[plan->from]), {&g});
  if (!plan->mirrored) return std::move(g.list.text);
  return list == DataList::Angles ? mirroredAngles(g.values) : mirroredFields(g.list);
}

std::vector<double> TraceRecord::radii(Side side, Orientation orientation) const {
  const auto plan = planList(DataList::Radii, side, orientation);
  if (!plan) return {};
  ListGatherer g{"R=", sides_[plan->from].radiusCount, Take::PositiveNumbers};
  gatherLists(blockAt(lists_.packet, lists_.dataStart[plan->from]), {&g});
  return plan->mirrored ? mirroredValues(g.values) : std::move(g.values);
}

// A one-eye trace gives the other eye its counts, formats and curves.
void TraceRecord::completeMissingSide() {
  const auto missing = missingEye(sides_[Side::Right].traceFormat, sides_[Side::Left].traceFormat);
  if (!missing) return;
  const SideData& from = sides_[otherSide(*missing)];
  SideData& to = sides_[*missing];
  to.radiusCount = from.radiusCount;
  to.zCount = from.zCount;
  to.traceFormat = formatForMissingEye(from.traceFormat, *missing);
  to.zFormat = formatForMissingEye(from.zFormat, *missing);
  to.bevelCurve = from.bevelCurve;
  to.frameCurve = from.frameCurve;
}

void TraceRecord::readSData() {
  for (SideData& s : sides_.values) s.sFormat.clear();
  const std::string& upper = upperPacket();
  forEachLineContaining(upper, "_SHLFFMT=", [&](std::string_view line) {
    assignBySideField(line, sides_[Side::Right].sFormat, sides_[Side::Left].sFormat);
  });
  for (Side side : kBothSides) {
    SideData& s = sides_[side];
    s.sCount = s.sFormat.empty() ? 0 : declaredCount(s.sFormat);
    lists_.sTraced[side] = !s.sFormat.empty();
    lists_.sStart[side] = dataStart(lists_.packet, upper, s.sFormat, "_S=");
  }
  replaceAll(sides_[Side::Right].sFormat, ";B;", ";R;");
  const auto missing = missingEye(sides_[Side::Right].sFormat, sides_[Side::Left].sFormat);
  if (!missing) return;
  const SideData& from = sides_[otherSide(*missing)];
  SideData& to = sides_[*missing];
  to.sCount = from.sCount;
  to.sFormat = formatForMissingEye(from.sFormat, *missing);
}

}  // namespace lumora

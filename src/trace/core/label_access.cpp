// Label access to the stored packet and the per-side getters.
#include <stdexcept>

#include "trace/core/line_ends.h"
#include "base/core/ascii_text.h"
#include "trace/core/vca_trace.h"

namespace lumora {

// Every lookup normalises the stored packet in place; a pass can leave two LFs in a row
// (from three), which the next lookup collapses, so only a clean packet is skipped.
void clsVCATrace::NormaliseLineEnds() {
  if (normalised_) return;
  const LineEndPass pass = NormaliseLineEndsInPlace(packet_);
  normalised_ = !pass.pairsLeft;
  if (pass.changed) upperValid_ = false;
}

const std::string& clsVCATrace::UpperPacket() {
  if (!upperValid_) {
    upper_ = asciiUpper(packet_);
    upperValid_ = true;
    upperIsPacket_ = false;
  }
  return upperIsPacket_ ? packet_ : upper_;
}

// The text after the first occurrence of the label at a line start, or failing that
// anywhere (the first line, or inside a longer label), up to the line end, as written;
// empty when the label is absent. One scan finds both.
std::string clsVCATrace::LabelLine(std::string_view label) {
  NormaliseLineEnds();
  const std::string& upper = UpperPacket();
  const std::string key = asciiUpper(label);
  std::size_t anywhere = std::string::npos;
  std::size_t found = std::string::npos;
  for (std::size_t pos = upper.find(key); pos != std::string::npos; pos = upper.find(key, pos + 1)) {
    if (anywhere == std::string::npos) anywhere = pos;
    if (pos > 0 && upper[pos - 1] == '\n') {
      found = pos;
      break;
    }
  }
  if (found == std::string::npos) found = anywhere;
  if (found == std::string::npos) return {};
  const std::size_t start = found + key.size();
  const std::size_t end = packet_.find('\n', start);
  return packet_.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string clsVCATrace::VCALabelGetAll(std::string_view VCALabel) {
  std::string all = LabelLine(VCALabel);
  std::erase(all, '"');
  return all;
}

namespace {

// A value line's part for one eye: before the first ";" for the right, after it for the
// left; an eye with no part of its own takes the other's. Any other side gets the whole line.
std::string sideValue(const std::string& all, int side) {
  const std::size_t semi = all.find(';');
  if (semi == std::string::npos || (side != 0 && side != 1)) return all;
  std::string right = all.substr(0, semi), left = all.substr(semi + 1);
  if (side == 0) return right.empty() ? left : right;
  return left.empty() ? right : left;
}

}  // namespace

std::string clsVCATrace::VCALabelValue(std::string_view VCALabel, int side) {
  return sideValue(VCALabelGetAll(VCALabel), side);
}

// Looking each eye up would normalise the line ends once per eye, so the second pass is
// made here too: the stored packet ends up as it always has.
PerSide<std::string> clsVCATrace::LabelValueOfBothEyes(std::string_view label) {
  const std::string all = VCALabelGetAll(label);
  NormaliseLineEnds();
  return {sideValue(all, 0), sideValue(all, 1)};
}

std::string clsVCATrace::ExtractVCAValueArray(std::string_view Label, int ArrayNum, int& ArrayUBound) {
  const std::string all = VCALabelGetAll(Label);
  if (all.find(';') == std::string::npos) {
    ArrayUBound = 0;
    return all;
  }
  const auto fields = splitFields(all, ';');
  ArrayUBound = static_cast<int>(fields.size()) - 1;
  if (ArrayNum < 0 || ArrayNum > ArrayUBound) return {};
  return std::string(fields[static_cast<std::size_t>(ArrayNum)]);
}

// Runs of matching lines are groups; the first run is group 1 when another line precedes it.
std::string clsVCATrace::VCALabelMultiLine(std::string_view VCALabel, int GroupNumber) {
  NormaliseLineEnds();
  std::string result;
  int group = 0;
  bool lastDidNotMatch = false;
  forEachLine(packet_, [&](std::string_view line) {
    if (startsWithNoCase(line, VCALabel)) {
      if (lastDidNotMatch) ++group;
      lastDidNotMatch = false;
      if (GroupNumber == 0 || GroupNumber == group) (result += line) += '\n';
    } else {
      lastDidNotMatch = true;
    }
    return true;
  });
  if (!result.empty() && result.back() == '\n') result.pop_back();
  return result;
}

const clsVCATrace::SideData& clsVCATrace::sideAt(int Index) const {
  if (!validSide(Index)) throw std::out_of_range("side index outside 0..1");
  return sides_[static_cast<std::size_t>(Index)];
}

double clsVCATrace::a(int Index) const { return sideAt(Index).a; }
double clsVCATrace::B(int Index) const { return sideAt(Index).b; }
double clsVCATrace::C(int Index) const { return sideAt(Index).c; }
double clsVCATrace::ed(int Index) const { return sideAt(Index).ed; }
double clsVCATrace::eda(int Index) const { return sideAt(Index).eda; }
double clsVCATrace::FCRV(int Index) const { return sideAt(Index).fcrv; }
double clsVCATrace::BEVC(int Index) const { return sideAt(Index).bevc; }

namespace {
// A getter's answer for a side outside 0..1: the type's empty value.
template <typename T, typename Sides, typename Get>
T sideOr(const Sides& sides, int side, Get get) {
  if (side != 0 && side != 1) return T{};
  return get(sides[static_cast<std::size_t>(side)]);
}
}  // namespace

#define LUMORA_SIDE_GETTER(Type, Name, member) \
  Type clsVCATrace::Name(int side) const {     \
    return sideOr<Type>(sides_, side, [](const SideData& s) { return static_cast<Type>(s.member); }); \
  }
LUMORA_SIDE_GETTER(std::string, TFormat, tFormat)
LUMORA_SIDE_GETTER(std::string, ZFormat, zFormat)
LUMORA_SIDE_GETTER(double, RadianCount, radiusCount)
LUMORA_SIDE_GETTER(double, ZDataCount, zCount)
LUMORA_SIDE_GETTER(double, SDataCount, sCount)
#undef LUMORA_SIDE_GETTER

std::string clsVCATrace::Rx_RadianString(int side) const {
  return ListText(side, ListKind::Radii, Orientation::Rx);
}
std::string clsVCATrace::Rx_AngleString(int side) const {
  return ListText(side, ListKind::Angles, Orientation::Rx);
}
std::string clsVCATrace::Rx_ZDataString(int side) const {
  return ListText(side, ListKind::Z, Orientation::Rx);
}
std::string clsVCATrace::Rx_SDataString(int side) const {
  return SListText(side, Orientation::Rx);
}
std::string clsVCATrace::VCA_RadianString(int side) const {
  return ListText(side, ListKind::Radii, Orientation::VCA);
}
std::string clsVCATrace::VCA_AngleString(int side) const {
  return ListText(side, ListKind::Angles, Orientation::VCA);
}
std::string clsVCATrace::VCA_ZDataString(int side) const {
  return ListText(side, ListKind::Z, Orientation::VCA);
}
std::string clsVCATrace::VCA_SDataString(int side) const {
  return SListText(side, Orientation::VCA);
}

// The Rx array getters leave the caller's list as it was for a side outside 0..1;
// VCA_GetRadianArray empties it.
void clsVCATrace::VCA_GetRadianArray(int side, std::vector<std::string>& RadArray) const {
  RadArray = splitToStrings(VCA_RadianString(side), ';');
}

#define LUMORA_RX_ARRAY(Name, textGetter)                                  \
  void clsVCATrace::Name(int side, std::vector<std::string>& out) const { \
    if (validSide(side)) out = splitToStrings(textGetter(side), ';');     \
  }
LUMORA_RX_ARRAY(Rx_GetRadianArray, Rx_RadianString)
LUMORA_RX_ARRAY(Rx_GetAngleArray, Rx_AngleString)
LUMORA_RX_ARRAY(Rx_GetZDataArray, Rx_ZDataString)
LUMORA_RX_ARRAY(Rx_GetSDataArray, Rx_SDataString)
#undef LUMORA_RX_ARRAY

}  // namespace lumora

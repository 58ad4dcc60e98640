// Label access to the stored packet.
#include "base/core/ascii_text.h"
#include "trace/core/line_ends.h"
#include "trace/core/trace_record.h"

namespace lumora {
namespace {

// A value line's part for one eye: before the first ";" for the right, after it for the
// left; an eye with no part of its own takes the other's.
std::string sideValue(const std::string& all, Side side) {
  const std::size_t semi = all.find(';');
  if (semi == std::string::npos) return all;
  std::string right = all.substr(0, semi), left = all.substr(semi + 1);
  if (side == Side::Right) return right.empty() ? left : right;
  return left.empty() ? right : left;
}

}  // namespace

// Every lookup normalises the stored packet in place; a pass can leave two LFs in a row
// (from three), which the next lookup collapses, so only a clean packet is skipped.
void TraceRecord::normaliseLineEnds() {
  if (normalised_) return;
  const LineEndPass pass = normaliseLineEndsInPlace(packet_);
  normalised_ = !pass.pairsLeft;
  if (pass.changed) upperValid_ = false;
}

const std::string& TraceRecord::upperPacket() {
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
std::string TraceRecord::labelLine(std::string_view label) {
  normaliseLineEnds();
  const std::string& upper = upperPacket();
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

std::string TraceRecord::labelText(std::string_view label) {
  std::string all = labelLine(label);
  std::erase(all, '"');
  return all;
}

std::string TraceRecord::labelValue(std::string_view label, Side side) {
  return sideValue(labelText(label), side);
}

// Looking each eye up would normalise the line ends once per eye, so the second pass is
// made here too: the stored packet ends up as it always has.
PerSide<std::string> TraceRecord::labelValueOfBothEyes(std::string_view label) {
  const std::string all = labelText(label);
  normaliseLineEnds();
  return {{sideValue(all, Side::Right), sideValue(all, Side::Left)}};
}

std::string TraceRecord::labelLines(std::string_view label, int group) {
  normaliseLineEnds();
  std::string result;
  int current = 0;
  bool lastDidNotMatch = false;
  forEachLine(packet_, [&](std::string_view line) {
    if (startsWithNoCase(line, label)) {
      if (lastDidNotMatch) ++current;
      lastDidNotMatch = false;
      if (group == 0 || group == current) (result += line) += '\n';
    } else {
      lastDidNotMatch = true;
    }
    return true;
  });
  if (!result.empty() && result.back() == '\n') result.pop_back();
  return result;
}

}  // namespace lumora

#include "link/core/framing.h"

#include <algorithm>
#include <array>

#include "link/core/control_chars.h"

namespace lumora {

std::uint16_t crc16(std::string_view text) {
  std::uint16_t reg = 0;
  for (char ch : text) {
    reg = static_cast<std::uint16_t>(reg ^ (static_cast<unsigned char>(ch) << 8));
    for (int bit = 0; bit < 8; ++bit) {
      const bool top = (reg & 0x8000) != 0;
      reg = static_cast<std::uint16_t>(reg << 1);
      if (top) reg = static_cast<std::uint16_t>(reg ^ 0x1021);
    }
  }
  return reg;
}

std::string framePacket(const std::vector<Record>& records, bool withCrc) {
  std::string body;
  for (const Record& r : records) body += r.label + r.value + kCrLf;
  body += kRs;
  const std::string crc = withCrc ? "CRC=" + std::to_string(crc16(body)) + kCrLf : std::string();
  return kFs + body + crc + kGs;
}

bool isCompletePacket(std::string_view burst) {
  return !burst.empty() && burst.front() == kFs && burst.find(kGs) != std::string_view::npos &&
         burst.find(kRs) != std::string_view::npos;
}

bool hasRequestMarker(std::string_view burst) {
  static constexpr std::array<std::string_view, 6> markers{
      "REQ=", "REQ =", "ANS=", "ANS =", "INI=", "INI ="};
  for (std::string_view m : markers)
    if (burst.find(m) != std::string_view::npos) return true;
  return false;
}

namespace {

// The packet's first record, blanks aside as requests are read (FS included).
std::string openingOf(std::string_view packet) {
  std::string head;
  for (char c : packet.substr(0, packet.find_first_of("\r\n\x1e\x1d", 1)))
    if (c != ' ') head += c;
  return head;
}

}  // namespace

bool opensWithRequest(std::string_view packet) {
  static constexpr std::array<std::string_view, 6> answered{"TRC", "UPL", "MNT", "INF", "INI", "ERR"};
  const std::string head = openingOf(packet);
  return head.starts_with("\x1cREQ=") &&
         std::any_of(answered.begin(), answered.end(), [&](std::string_view kind) {
           return std::string_view(head).substr(5).starts_with(kind);
         });
}

std::size_t bodyStart(std::string_view received) {
  const std::size_t first = received.find(kFs);
  for (std::size_t fs = received.rfind(kFs); fs != std::string_view::npos && fs > first; fs = received.rfind(kFs, fs - 1)) {
    const std::string head = openingOf(received.substr(fs));
    if (head.starts_with("\x1c""ANS=") || head.starts_with("\x1cREQ=")) return fs;
  }
  return first;
}

namespace {

std::size_t skipBlanks(std::string_view text, std::size_t i) {
  while (i < text.size() && text[i] == ' ') ++i;
  return i;
}

// Position just after "CRC" [blanks] "=" [blanks] when it starts at `i`, else npos.
std::size_t afterCrcLabel(std::string_view text, std::size_t i) {
  i = skipBlanks(text, i);
  if (text.substr(i, 3) != "CRC") return std::string_view::npos;
  i = skipBlanks(text, i + 3);
  if (i >= text.size() || text[i] != '=') return std::string_view::npos;
  return skipBlanks(text, i + 1);
}

// `fromStart`: the span begins after the packet's first byte, else after the last FS
// before the record's RS.
CrcCheck checkCrc(std::string_view packet, bool fromStart) {
  for (std::size_t rs = packet.find(kRs); rs != std::string_view::npos;
       rs = packet.find(kRs, rs + 1)) {
    std::size_t digits = afterCrcLabel(packet, rs + 1);
    if (digits == std::string_view::npos) continue;
    const std::size_t fs = fromStart ? 0 : packet.rfind(kFs, rs);
    const std::size_t start = fs == std::string_view::npos ? 0 : fs + 1;
    std::uint32_t sent = 0;
    std::size_t count = 0;
    for (; digits < packet.size() && packet[digits] >= '0' && packet[digits] <= '9'; ++digits) {
      sent = sent * 10 + static_cast<std::uint32_t>(packet[digits] - '0');
      if (++count > 5) return CrcCheck::Bad;
    }
    if (count == 0 || sent > 0xFFFF) return CrcCheck::Bad;
    const std::string_view throughRs = packet.substr(start, rs + 1 - start);
    const bool matches = sent == crc16(throughRs) || sent == crc16(throughRs.substr(0, throughRs.size() - 1));
    return matches ? CrcCheck::Good : CrcCheck::Bad;
  }
  return CrcCheck::Absent;
}

}  // namespace

CrcCheck checkIncomingCrc(std::string_view packet) { return checkCrc(packet, false); }

CrcCheck checkBodyCrc(std::string_view packet) { return checkCrc(packet, true); }

}  // namespace lumora

#include "link/core/upload_rules.h"

#include <algorithm>

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"
#include "link/core/control_chars.h"
#include "link/core/framing.h"

namespace lumora {

std::vector<std::string> packetLines(std::string_view packet) {
  std::string text(packet);
  std::replace(text.begin(), text.end(), '\r', '\n');
  return splitToStrings(text, '\n');
}

std::string recordValue(const std::vector<std::string>& lines, std::string_view label) {
  for (const std::string& line : lines) {
    const auto at = line.find(label);
    if (at == std::string::npos) continue;
    std::string raw = line.substr(at + label.size());
    for (char& c : raw)
      if (c == '\0' || static_cast<unsigned char>(c) == 255) c = ' ';
    std::string found(trimBlanks(raw));
    std::erase(found, '"');
    return found;
  }
  return {};
}

std::optional<std::string> acceptedTraceFormat(const std::vector<std::string>& lines) {
  constexpr std::string_view label = "TRCFMT=";
  for (const std::string& line : lines) {
    if (!line.starts_with(label)) continue;
    const std::string format = line.substr(label.size());
    const auto semicolon = line.find(';');
    const double points = semicolon == std::string::npos ? 0.0 : value(line.substr(semicolon + 1));
    if (value(format) == 1.0 && points >= 400.0 && line.find('E') != std::string::npos)
      return format;
  }
  return std::nullopt;
}

std::vector<std::string> traceLinesFromBody(std::string_view body) {
  std::vector<std::string> lines;
  for (std::string line : packetLines(body)) {
    std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 32; });
    line = std::string(trimBlanks(line));
    if (line.starts_with("ANS=")) line = "REQ=FIL";
    if (!line.empty() && !line.starts_with("CRC=")) lines.push_back(std::move(line));
  }
  return lines;
}

namespace {

// Only line ends, blanks and one "CRC=" record line may follow the records' RS.
bool onlyCrcRecordAfter(std::string_view tail) {
  int records = 0;
  for (std::string line : packetLines(tail)) {
    std::erase(line, ' ');
    if (line.empty()) continue;
    if (++records > 1 || !line.starts_with("CRC=") || line.size() == 4 ||
        !std::all_of(line.begin() + 4, line.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return false;
  }
  return true;
}

}  // namespace

std::optional<std::string> bodyRefusal(std::string_view packet, bool crcRequired) {
  const std::string refused = "OMA Trace Refused: ";
  if (packet.empty()) return refused + "line noise, not a packet";
  const std::size_t rs = packet.find(kRs);
  if (rs == std::string_view::npos) return refused + "no RS before the GS";
  if (!onlyCrcRecordAfter(packet.substr(rs + 1, packet.size() - rs - 2)))
    return refused + "more than a CRC record after the RS";
  const std::vector<std::string> lines = traceLinesFromBody(packet);
  if (std::none_of(lines.begin() + (lines.empty() ? 0 : 1), lines.end(),
                   [](const std::string& line) { return line.find('=') != std::string::npos; }))
    return refused + "no trace records";
  const CrcCheck crc = checkBodyCrc(packet);
  if (crc == CrcCheck::Bad) return "OMA Bad Packet CRC";
  if (crc == CrcCheck::Absent && crcRequired) return refused + "no CRC record";
  return std::nullopt;
}

std::string traceFileBytes(const std::vector<std::string>& lines) {
  std::string bytes;
  for (const std::string& line : lines) bytes += line + "\r\n";
  return bytes;
}

}  // namespace lumora

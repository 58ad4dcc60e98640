#include "link/core/labels.h"

#include <algorithm>

#include "base/core/ascii_text.h"

namespace lumora {

std::string OMAparse(std::string_view CMD, std::string_view OmaPacket) {
  for (const std::string& line : splitToStrings(OmaPacket, '\n')) {
    const auto at = line.find(CMD);
    if (at == std::string::npos) continue;
    std::string raw = line.substr(at + CMD.size());
    for (char& c : raw)
      if (c == '\0' || static_cast<unsigned char>(c) == 255) c = ' ';
    return std::string(trimBlanks(raw));
  }
  return {};
}

std::string ValueFromLabel(std::string_view label, std::string& packet,
                           std::vector<std::string>& packetLines) {
  std::replace(packet.begin(), packet.end(), '\r', '\n');
  const std::string upperLabel = asciiUpper(label);
  if (asciiUpper(packet).find(upperLabel) == std::string::npos) return {};
  std::string value = OMAparse(upperLabel, packet);
  std::erase(value, '"');
  if (packetLines.size() < 2) packetLines = splitToStrings(packet, '\n');
  return value;
}

}  // namespace lumora

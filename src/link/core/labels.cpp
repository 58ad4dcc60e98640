#include "link/core/labels.h"

#include <algorithm>

namespace lumora {
namespace {

std::string upperCase(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

std::string trimBlanks(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

}  // namespace

std::vector<std::string> SplitLines(std::string_view packet) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t lf = packet.find('\n'); lf != std::string_view::npos;
       lf = packet.find('\n', start)) {
    lines.emplace_back(packet.substr(start, lf - start));
    start = lf + 1;
  }
  lines.emplace_back(packet.substr(start));
  return lines;
}

std::string OMAparse(std::string_view CMD, std::string_view OmaPacket) {
  for (const std::string& line : SplitLines(OmaPacket)) {
    const auto at = line.find(CMD);
    if (at == std::string::npos) continue;
    std::string raw = line.substr(at + CMD.size());
    for (char& c : raw)
      if (c == '\0' || static_cast<unsigned char>(c) == 255) c = ' ';
    return trimBlanks(raw);
  }
  return {};
}

std::string ValueFromLabel(std::string_view label, std::string& packet,
                           std::vector<std::string>& packetLines) {
  std::replace(packet.begin(), packet.end(), '\r', '\n');
  const std::string upperLabel = upperCase(label);
  if (upperCase(packet).find(upperLabel) == std::string::npos) return {};
  std::string value = OMAparse(upperLabel, packet);
  std::erase(value, '"');
  if (packetLines.size() < 2) packetLines = SplitLines(packet);
  return value;
}

}  // namespace lumora

#include "link/core/upload_rules.h"

#include <algorithm>

#include "link/core/labels.h"
#include "base/core/number_text.h"
#include "base/core/ascii_text.h"

namespace lumora {

std::optional<std::string> AcceptedTraceFormat(const std::vector<std::string>& packetLines) {
  constexpr std::string_view label = "TRCFMT=";
  for (const std::string& line : packetLines) {
    if (!line.starts_with(label)) continue;
    const std::string format = line.substr(label.size());
    const auto semicolon = line.find(';');
    const double points = semicolon == std::string::npos ? 0.0 : value(line.substr(semicolon + 1));
    if (value(format) == 1.0 && points >= 400.0 && line.find('E') != std::string::npos)
      return format;
  }
  return std::nullopt;
}

std::vector<std::string> TraceLinesFromBody(std::string_view body) {
  std::string text(body);
  std::replace(text.begin(), text.end(), '\r', '\n');
  std::vector<std::string> lines;
  for (std::string line : splitToStrings(text, '\n')) {
    std::erase_if(line, [](char c) { return static_cast<unsigned char>(c) < 32; });
    line = std::string(trimBlanks(line));
    if (line.starts_with("ANS=")) line = "REQ=FIL";
    if (!line.empty() && !line.starts_with("CRC=")) lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace lumora

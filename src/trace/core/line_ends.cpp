#include "trace/core/line_ends.h"

namespace lumora {
namespace {

bool hasLfPair(std::string_view text) { return text.find("\n\n") != std::string_view::npos; }

bool hasLowerCase(std::string_view text) {
  for (const char c : text)
    if (c >= 'a' && c <= 'z') return true;
  return false;
}

}  // namespace

std::string unifyLineEnds(std::string_view text) {
  std::string unified;
  unified.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') unified += text[i];
    else if (i + 1 == text.size() || text[i + 1] != '\n') unified += '\n';
  }
  return unified;
}

LineEndPass normaliseLineEndsInPlace(std::string& text) {
  const bool hasCr = text.find('\r') != std::string::npos;
  if (hasCr) text = unifyLineEnds(text);
  LineEndPass pass{hasCr, hasLfPair(text)};
  if (!pass.pairsLeft) return pass;
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[length++] = text[i];
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  text.resize(length);
  return {true, hasLfPair(text)};
}

UnifiedText unifyAndSurvey(std::string_view text) {
  UnifiedText unified{unifyLineEnds(text)};
  unified.lfPairs = hasLfPair(unified.text);
  unified.lowerCase = hasLowerCase(unified.text);
  return unified;
}

}  // namespace lumora

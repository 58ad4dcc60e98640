#include "trace/core/line_ends.h"

namespace lumora {
namespace {

bool hasLfPair(std::string_view text) { return text.find("\n\n") != std::string_view::npos; }

// No early way out: a packet in capitals, the usual one, is read to its end anyway, and a
// loop without one compiles to wide compares.
bool hasLowerCase(std::string_view text) {
  unsigned found = 0;
  for (const char c : text) found |= static_cast<unsigned char>(c - 'a') < 26u;
  return found != 0;
}

}  // namespace

// The text between line ends is copied a run at a time.
std::string unifyLineEnds(std::string_view text) {
  std::string unified;
  unified.reserve(text.size());
  for (std::size_t start = 0;;) {
    const std::size_t cr = text.find('\r', start);
    unified.append(text.substr(start, cr == std::string_view::npos ? cr : cr - start));
    if (cr == std::string_view::npos) return unified;
    unified += '\n';
    start = cr + 1 < text.size() && text[cr + 1] == '\n' ? cr + 2 : cr + 1;
  }
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

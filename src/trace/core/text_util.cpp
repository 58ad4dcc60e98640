#include "trace/core/text_util.h"

#include <cstring>

namespace lumora {

// Branch-free so that upper-casing a whole packet vectorises.
char AsciiUpper(char c) {
  const auto lowerCase = static_cast<unsigned char>(static_cast<unsigned char>(c - 'a') < 26);
  return static_cast<char>(c ^ (lowerCase << 5));
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = AsciiUpper(c);
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (AsciiUpper(text[i]) != AsciiUpper(prefix[i])) return false;
  return true;
}

std::string_view TrimBlanks(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// Fields are a few characters long, so a plain scan beats a library search per field.
std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  if (text.empty()) return fields;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != separator) continue;
    fields.push_back(text.substr(start, i - start));
    start = i + 1;
  }
  fields.push_back(text.substr(start));
  return fields;
}

std::vector<std::string> SplitToStrings(std::string_view text, char separator) {
  std::vector<std::string> out;
  for (std::string_view f : SplitFields(text, separator)) out.emplace_back(f);
  return out;
}

std::string JoinFields(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out += separator;
    out += fields[i];
  }
  return out;
}

std::string UnifyLineEnds(std::string_view text) {
  std::string out(text);
  UnifyLineEndsInPlace(out);
  return out;
}

// Moves each stretch between CRs down over the bytes dropped before it.
bool UnifyLineEndsInPlace(std::string& text) {
  std::size_t length = 0;
  bool changed = false;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t cr = text.find('\r', start);
    const std::size_t stretch = (cr == std::string::npos ? text.size() : cr) - start;
    if (length != start) std::memmove(text.data() + length, text.data() + start, stretch);
    length += stretch;
    if (cr == std::string::npos) break;
    changed = true;
    const bool lfFollows = cr + 1 < text.size() && text[cr + 1] == '\n';
    if (!lfFollows) text[length++] = '\n';  // a lone CR; a CR LF keeps its LF
    start = cr + 1;
  }
  text.resize(length);
  return changed;
}

LineEndPass NormaliseLineEndsInPlace(std::string& text) {
  LineEndPass pass{UnifyLineEndsInPlace(text), text.find("\n\n") != std::string::npos};
  if (!pass.pairsLeft) return pass;
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[length++] = text[i];
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  text.resize(length);
  return {true, text.find("\n\n") != std::string::npos};
}

}  // namespace lumora

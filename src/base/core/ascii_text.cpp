#include "base/core/ascii_text.h"

#include <algorithm>

namespace lumora {

// Branch-free so that upper-casing a whole packet vectorises.
char asciiUpper(char c) {
  const auto lowerCase = static_cast<unsigned char>(static_cast<unsigned char>(c - 'a') < 26);
  return static_cast<char>(c ^ (lowerCase << 5));
}

std::string asciiUpper(std::string_view text) {
  std::string out(text.size(), '\0');
  std::transform(text.begin(), text.end(), out.begin(), [](char c) { return asciiUpper(c); });
  return out;
}

bool startsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (asciiUpper(text[i]) != asciiUpper(prefix[i])) return false;
  return true;
}

std::string_view trimBlanks(std::string_view text, std::string_view blanks) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

void replaceAll(std::string& text, std::string_view from, std::string_view to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
}

// Fields are a few characters long, so a plain scan beats a library search per field.
std::vector<std::string_view> splitFields(std::string_view text, char separator) {
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

std::vector<std::string> splitToStrings(std::string_view text, char separator) {
  std::vector<std::string> out;
  for (std::string_view f : splitFields(text, separator)) out.emplace_back(f);
  return out;
}

std::string joinFields(const std::vector<std::string>& fields, char separator) {
  std::string out;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i) out += separator;
    out += fields[i];
  }
  return out;
}

}  // namespace lumora

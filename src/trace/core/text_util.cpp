#include "trace/core/text_util.h"

namespace lumora {
namespace {
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::string AsciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = upper(c);
  return out;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (upper(text[i]) != upper(prefix[i])) return false;
  return true;
}

std::vector<std::string_view> SplitFields(std::string_view text, char separator) {
  std::vector<std::string_view> fields;
  if (text.empty()) return fields;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find(separator, start);
    if (end == std::string_view::npos) {
      fields.push_back(text.substr(start));
      return fields;
    }
    fields.push_back(text.substr(start, end - start));
    start = end + 1;
  }
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
  if (text.find('\r') == std::string_view::npos) return out;
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r') out[length++] = text[i];
    else if (i + 1 < text.size() && text[i + 1] == '\n') continue;  // the LF follows
    else out[length++] = '\n';
  }
  out.resize(length);
  return out;
}

std::string NormalisedLineEnds(std::string_view text) {
  std::string out = UnifyLineEnds(text);
  if (out.find("\n\n") == std::string::npos) return out;
  std::size_t length = 0;
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[length++] = out[i];
    if (out[i] == '\n' && i + 1 < out.size() && out[i + 1] == '\n') ++i;
  }
  out.resize(length);
  return out;
}

}  // namespace lumora

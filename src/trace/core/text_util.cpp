#include "trace/core/text_util.h"

namespace lumora {
namespace {
// Branch-free so that upper-casing a whole packet vectorises.
char upper(char c) {
  const auto lowerCase = static_cast<unsigned char>(static_cast<unsigned char>(c - 'a') < 26);
  return static_cast<char>(c ^ (lowerCase << 5));
}
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
  std::string out;
  out.reserve(text.size());
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t cr = text.find('\r', start);
    out.append(text.substr(start, cr == std::string_view::npos ? cr : cr - start));
    if (cr == std::string_view::npos) break;
    const bool lfFollows = cr + 1 < text.size() && text[cr + 1] == '\n';
    if (!lfFollows) out += '\n';  // a lone CR; a CR LF keeps its LF
    start = cr + 1;
  }
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

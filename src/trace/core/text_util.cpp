#include "trace/core/text_util.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "trace/core/simd.h"

namespace lumora {

// Branch-free so that upper-casing a whole packet vectorises.
char AsciiUpper(char c) {
  const auto lowerCase = static_cast<unsigned char>(static_cast<unsigned char>(c - 'a') < 26);
  return static_cast<char>(c ^ (lowerCase << 5));
}

std::string AsciiUpper(std::string_view text) {
  std::string out(text.size(), '\0');
  std::transform(text.begin(), text.end(), out.begin(), [](char c) { return AsciiUpper(c); });
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

namespace {

void copySixteen(char* to, const char* from) { std::memcpy(to, from, 16); }

// Copies `text` from `i` on to `out` from `o` on with each CR dropped, and a lone CR (no LF
// after it) written as LF; returns where the copy ends. `out` needs 16 bytes to spare.
std::size_t unifyFrom(std::string_view text, std::size_t i, char* out, std::size_t o) {
#if LUMORA_SSE2
  // Sixteen bytes at a time while the 16 after a chunk can still be read: each stretch
  // between CRs is copied whole, and the next stretch's copy overwrites what lies past it.
  const __m128i cr = _mm_set1_epi8('\r');
  for (; i + 32 <= text.size(); i += 16) {
    const char* const chunk = text.data() + i;
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(chunk));
    auto crs = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, cr)));
    std::size_t from = 0;
    for (; crs != 0; crs &= crs - 1) {
      const auto at = static_cast<std::size_t>(std::countr_zero(crs));
      copySixteen(out + o, chunk + from);
      o += at - from;
      if (chunk[at + 1] != '\n') out[o++] = '\n';
      from = at + 1;
    }
    copySixteen(out + o, chunk + from);
    o += 16 - from;
  }
#endif
  for (; i < text.size(); ++i) {
    if (text[i] != '\r') out[o++] = text[i];
    else if (i + 1 == text.size() || text[i + 1] != '\n') out[o++] = '\n';
  }
  return o;
}

bool hasLfPair(std::string_view text) {
  std::size_t i = 0;
#if LUMORA_SSE2
  const __m128i lf = _mm_set1_epi8('\n');
  const auto lfs = [&](std::size_t at) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + at));
    return static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, lf)));
  };
  for (; i + 17 <= text.size(); i += 16)  // each byte beside the one after it
    if (lfs(i) & lfs(i + 1)) return true;
#endif
  for (; i + 1 < text.size(); ++i)
    if (text[i] == '\n' && text[i + 1] == '\n') return true;
  return false;
}

}  // namespace

std::string UnifyLineEnds(std::string_view text) {
  const std::size_t firstCr = text.find('\r');
  if (firstCr == std::string::npos) return std::string(text);
  std::string unified(text.size() + 16, '\0');
  std::memcpy(unified.data(), text.data(), firstCr);
  unified.resize(unifyFrom(text, firstCr, unified.data(), firstCr));
  return unified;
}

bool UnifyLineEndsInPlace(std::string& text) {
  if (text.find('\r') == std::string::npos) return false;
  text = UnifyLineEnds(text);
  return true;
}

LineEndPass NormaliseLineEndsInPlace(std::string& text) {
  LineEndPass pass{UnifyLineEndsInPlace(text), hasLfPair(text)};
  if (!pass.pairsLeft) return pass;
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[length++] = text[i];
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  text.resize(length);
  return {true, hasLfPair(text)};
}

}  // namespace lumora

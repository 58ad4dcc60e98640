#include "trace/core/line_ends.h"

#include <bit>
#include <cstring>

#include "trace/core/simd.h"

namespace lumora {
namespace {

void copySixteen(char* to, const char* from) { std::memcpy(to, from, 16); }

}  // namespace

std::size_t detail::UnifyFrom(std::string_view text, std::size_t i, char* out, std::size_t o) {
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

bool detail::HasLfPair(std::string_view text) {
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

bool detail::HasLowerCase(std::string_view text) {
  std::size_t i = 0;
#if LUMORA_SSE2
  for (; i + 16 <= text.size(); i += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text.data() + i));
    const __m128i fromA = _mm_sub_epi8(bytes, _mm_set1_epi8('a'));
    if (_mm_movemask_epi8(_mm_cmpeq_epi8(_mm_min_epu8(fromA, _mm_set1_epi8(25)), fromA))) return true;
  }
#endif
  for (; i < text.size(); ++i)
    if (text[i] >= 'a' && text[i] <= 'z') return true;
  return false;
}


std::string UnifyLineEnds(std::string_view text) {
  const std::size_t firstCr = text.find('\r');
  if (firstCr == std::string::npos) return std::string(text);
  std::string unified(text.size() + 16, '\0');
  std::memcpy(unified.data(), text.data(), firstCr);
  unified.resize(detail::UnifyFrom(text, firstCr, unified.data(), firstCr));
  return unified;
}

bool UnifyLineEndsInPlace(std::string& text) {
  if (text.find('\r') == std::string::npos) return false;
  text = UnifyLineEnds(text);
  return true;
}

LineEndPass NormaliseLineEndsInPlace(std::string& text) {
  LineEndPass pass{UnifyLineEndsInPlace(text), detail::HasLfPair(text)};
  if (!pass.pairsLeft) return pass;
  std::size_t length = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    text[length++] = text[i];
    if (text[i] == '\n' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
  }
  text.resize(length);
  return {true, detail::HasLfPair(text)};
}

UnifiedText UnifyAndSurvey(std::string_view text) {
  static const bool wide = WideInstructions();
  return wide ? detail::UnifyAndSurveyWide(text) : detail::UnifyAndSurveyInPasses(text);
}

UnifiedText detail::UnifyAndSurveyInPasses(std::string_view text) {
  UnifiedText unified{UnifyLineEnds(text)};
  unified.lfPairs = HasLfPair(unified.text);
  unified.lowerCase = HasLowerCase(unified.text);
  return unified;
}

}  // namespace lumora

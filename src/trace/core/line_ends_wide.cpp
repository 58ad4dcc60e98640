// Unifying line ends 64 bytes at a time with AVX-512: each CR before an LF is dropped by one
// compress, each other CR becomes LF, and the same pass looks for LF pairs and lower case.
#include <bit>
#include <cstdint>

#include "trace/core/line_ends.h"
#include "trace/core/simd.h"

namespace lumora::detail {

#if LUMORA_WIDE
namespace {

struct Survey {
  bool lastIsLf = false;  // the last byte written
  bool lfPairs = false, lowerCase = false;
};

// The rest of the text, a byte at a time.
void unifyTail(std::string_view text, std::size_t i, char* to, std::size_t& o, Survey& survey) {
  for (; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r') {
      if (i + 1 < text.size() && text[i + 1] == '\n') continue;
      c = '\n';
    }
    survey.lfPairs |= c == '\n' && survey.lastIsLf;
    survey.lastIsLf = c == '\n';
    survey.lowerCase |= c >= 'a' && c <= 'z';
    to[o++] = c;
  }
}

}  // namespace

LUMORA_WIDE_TARGET UnifiedText UnifyAndSurveyWide(std::string_view text) {
  UnifiedText unified;
  unified.text.resize(text.size() + 64);  // each 64-byte store may reach past the text
  char* const to = unified.text.data();
  std::size_t i = 0, o = 0;
  Survey survey;
  std::uint64_t lfPairs = 0, lowerCase = 0;
  // While the byte after the 64 can be read: it says whether the last one is a CR before an LF.
  for (; i + 64 < text.size(); i += 64) {
    const __m512i bytes = _mm512_loadu_si512(text.data() + i);
    const __m512i nextBytes = _mm512_loadu_si512(text.data() + i + 1);
    const std::uint64_t crs = _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8('\r'));
    const std::uint64_t beforeLf = _mm512_cmpeq_epi8_mask(nextBytes, _mm512_set1_epi8('\n'));
    const __m512i loneCrsAsLf = _mm512_mask_mov_epi8(bytes, crs & ~beforeLf, _mm512_set1_epi8('\n'));
    const std::uint64_t kept = ~(crs & beforeLf);
    const __m512i packed = _mm512_maskz_compress_epi8(kept, loneCrsAsLf);
    _mm512_storeu_si512(to + o, packed);
    const int count = std::popcount(kept);
    const std::uint64_t written = count == 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << count) - 1;
    const std::uint64_t lfs = _mm512_mask_cmpeq_epi8_mask(written, packed, _mm512_set1_epi8('\n'));
    lfPairs |= lfs & (lfs << 1 | (survey.lastIsLf ? 1 : 0));
    if (count > 0) survey.lastIsLf = (lfs >> (count - 1)) & 1;
    lowerCase |= _mm512_cmple_epu8_mask(_mm512_sub_epi8(bytes, _mm512_set1_epi8('a')), _mm512_set1_epi8(25));
    o += static_cast<std::size_t>(count);
  }
  survey.lfPairs = lfPairs != 0;
  survey.lowerCase = lowerCase != 0;
  unifyTail(text, i, to, o, survey);
  unified.text.resize(o);
  unified.lfPairs = survey.lfPairs;
  unified.lowerCase = survey.lowerCase;
  return unified;
}
#else
UnifiedText UnifyAndSurveyWide(std::string_view text) { return UnifyAndSurveyInPasses(text); }
#endif

}  // namespace lumora::detail

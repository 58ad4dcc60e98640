// Unifying line ends 64 bytes at a time with AVX-512: each CR before an LF is dropped by one
// compress, each other CR becomes LF, and the same pass looks for LF pairs and lower case.
#include <bit>
#include <cstdint>
#include <string_view>

#include "trace/core/line_ends.h"
#include "trace/core/simd.h"

namespace lumora::detail {

#if LUMORA_WIDE
LUMORA_WIDE_TARGET UnifiedText UnifyAndSurveyWide(std::string_view text) {
  UnifiedText unified;
  unified.text.resize(text.size() + 64);  // each 64-byte store may reach past the text
  char* const to = unified.text.data();
  std::size_t i = 0, o = 0;
  bool lastIsLf = false;  // the last byte written
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
    lfPairs |= lfs & (lfs << 1 | (lastIsLf ? 1 : 0));
    if (count > 0) lastIsLf = (lfs >> (count - 1)) & 1;
    lowerCase |= _mm512_cmple_epu8_mask(_mm512_sub_epi8(bytes, _mm512_set1_epi8('a')), _mm512_set1_epi8(25));
    o += static_cast<std::size_t>(count);
  }
  // The rest as the other passes do it, looked at from the last byte written before it.
  const std::size_t restFrom = o;
  o = UnifyFrom(text, i, to, o);
  const std::size_t lookFrom = restFrom - (restFrom > 0 ? 1 : 0);
  const std::string_view rest(to + lookFrom, o - lookFrom);
  unified.lfPairs = lfPairs != 0 || HasLfPair(rest);
  unified.lowerCase = lowerCase != 0 || HasLowerCase(rest);
  unified.text.resize(o);
  return unified;
}
#else
UnifiedText UnifyAndSurveyWide(std::string_view text) { return UnifyAndSurveyInPasses(text); }
#endif

}  // namespace lumora::detail

// The short-line reader, with AVX-512 byte permutes and compress.
#include <array>
#include <bit>
#include <cstdint>

#include "trace/core/number_line.h"
#include "trace/core/simd.h"

namespace lumora::detail {

#if LUMORA_WIDE
namespace {

using ByteTable = std::array<std::int8_t, 64>;

constexpr ByteTable tableOf(auto byteAt) {
  ByteTable table{};
  for (int i = 0; i < 64; ++i) table[static_cast<std::size_t>(i)] = static_cast<std::int8_t>(byteAt(i));
  return table;
}

// 0 to 63; the field each byte of the four-byte slots belongs to; the slot byte's place
// before its field's end.
constexpr ByteTable kPositions = tableOf([](int i) { return i; });
constexpr ByteTable kSlotField = tableOf([](int i) { return i / 4; });
constexpr ByteTable kBeforeEnd = tableOf([](int i) { return i % 4 - 4; });

LUMORA_WIDE_TARGET __m512i loadTable(const ByteTable& table) { return _mm512_loadu_si512(table.data()); }

// Where the line's LF, its fields' ends and their starts lie in the 64 bytes.
struct ShortLine {
  std::uint64_t lineFeed = 0, ends = 0, starts = 0;
  int count = 0;  // fields
};

// False unless the line ends within the 64 bytes, holds only digits between its ends, and
// has a slot for each field. (An empty field reads as 0 and is refused with the zeros.)
LUMORA_WIDE_TARGET bool sortLine(__m512i bytes, ShortLine& line) {
  const std::uint64_t lineFeeds = _mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8('\n'));
  line.lineFeed = lineFeeds & (~lineFeeds + 1);  // the first only
  const std::uint64_t inLine = line.lineFeed | (line.lineFeed - 1);
  line.ends = (_mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(';')) | line.lineFeed) & inLine;
  line.starts = (line.ends << 1 | 1) & inLine;
  line.count = std::popcount(line.ends);
  const std::uint64_t digits =
      _mm512_cmple_epu8_mask(_mm512_sub_epi8(bytes, _mm512_set1_epi8('0')), _mm512_set1_epi8(9));
  return line.lineFeed != 0 && ((digits | line.ends) & inLine) == inLine && line.count <= 16;
}

// Field i's last four bytes go to bytes 4i to 4i + 3, those before its start as zeros, and
// each slot's digits are combined in pairs and fours. False for a field of five digits or more.
LUMORA_WIDE_TARGET bool readSlots(__m512i bytes, const ShortLine& line, __m512i& values) {
  const __m512i positions = loadTable(kPositions);
  const __m512i endAt = _mm512_maskz_compress_epi8(line.ends, positions);
  const __m512i startAt = _mm512_maskz_compress_epi8(line.starts, positions);
  const std::uint64_t eachField = (std::uint64_t{1} << line.count) - 1;
  if (_mm512_mask_cmpgt_epu8_mask(eachField, _mm512_sub_epi8(endAt, startAt), _mm512_set1_epi8(4))) return false;
  const __m512i slotField = loadTable(kSlotField);
  const __m512i from = _mm512_add_epi8(_mm512_permutexvar_epi8(slotField, endAt), loadTable(kBeforeEnd));
  const std::uint64_t inSlots = line.count == 16 ? ~std::uint64_t{0} : (std::uint64_t{1} << (4 * line.count)) - 1;
  const std::uint64_t inField = _mm512_mask_cmpge_epi8_mask(inSlots, from, _mm512_permutexvar_epi8(slotField, startAt));
  const __m512i digits = _mm512_maskz_sub_epi8(inField, _mm512_permutexvar_epi8(from, bytes), _mm512_set1_epi8('0'));
  const __m512i pairs = _mm512_maddubs_epi16(digits, _mm512_set1_epi16(0x010A));  // tens x 10 + ones
  values = _mm512_madd_epi16(pairs, _mm512_set1_epi32(0x00010064));              // hundreds x 100 + rest
  return true;
}

}  // namespace

LUMORA_WIDE_TARGET const char* ReadShortNumberLine(std::vector<double>& numbers, const char* const fields,
                                                   const char* const blockEnd) {
  if (blockEnd - fields < 64) return nullptr;
  const __m512i bytes = _mm512_loadu_si512(fields);
  ShortLine line;
  __m512i values;
  if (!sortLine(bytes, line) || !readSlots(bytes, line, values)) return nullptr;
  const auto eachField = static_cast<__mmask16>((1u << line.count) - 1);
  if (_mm512_mask_cmpeq_epi32_mask(eachField, values, _mm512_setzero_si512()) != 0) return nullptr;
  const std::size_t before = numbers.size();
  numbers.resize(before + static_cast<std::size_t>(line.count));
  double* const to = numbers.data() + before;
  _mm512_mask_storeu_pd(to, static_cast<__mmask8>(eachField), _mm512_cvtepi32_pd(_mm512_castsi512_si256(values)));
  if (line.count > 8)
    _mm512_mask_storeu_pd(to + 8, static_cast<__mmask8>(eachField >> 8),
                          _mm512_cvtepi32_pd(_mm512_extracti64x4_epi64(values, 1)));
  return fields + std::countr_zero(line.lineFeed);
}
#else
const char* ReadShortNumberLine(std::vector<double>&, const char*, const char*) { return nullptr; }
#endif

}  // namespace lumora::detail

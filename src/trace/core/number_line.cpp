#include "trace/core/number_line.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "trace/core/simd.h"

namespace lumora::detail {
namespace {

#if LUMORA_SSE2
// The value of the 1 to 8 digits at `p`: moved to the top of eight bytes (the first byte
// lowest), with zeros below as leading zeros, then combined in pairs, fours and eights.
std::uint64_t shortWholeNumber(const char* p, std::size_t length) {
  std::uint64_t v;
  std::memcpy(&v, p, 8);
  v = (v ^ 0x3030303030303030) << (8 * (8 - length));
  v = ((v & 0x0F0F0F0F0F0F0F0F) * 2561) >> 8;
  v = ((v & 0x00FF00FF00FF00FF) * 6553601) >> 16;
  return ((v & 0x0000FFFF0000FFFF) * 42949672960001) >> 32;
}

// Which of the 64 bytes from `p` are ";", LF, or anything but a digit: bit i for byte i.
struct ByteKinds {
  std::uint64_t semicolons = 0, lineFeeds = 0, nonDigits = 0;
};

ByteKinds kindsOf64(const char* p) {
  ByteKinds kinds;
  for (int part = 0; part < 4; ++part) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16 * part));
    const __m128i fromZero = _mm_sub_epi8(bytes, _mm_set1_epi8('0'));
    const __m128i digits = _mm_cmpeq_epi8(_mm_min_epu8(fromZero, _mm_set1_epi8(9)), fromZero);
    const auto bits = [&](__m128i marks) {
      return std::uint64_t{static_cast<std::uint16_t>(_mm_movemask_epi8(marks))} << (16 * part);
    };
    kinds.semicolons |= bits(_mm_cmpeq_epi8(bytes, _mm_set1_epi8(';')));
    kinds.lineFeeds |= bits(_mm_cmpeq_epi8(bytes, _mm_set1_epi8('\n')));
    kinds.nonDigits |= ~bits(digits) & (std::uint64_t{0xFFFF} << (16 * part));
  }
  return kinds;
}
#endif

}  // namespace

// Each field is read as one word once the 64 bytes it ends in are sorted.
const char* ReadNumberLine64(std::vector<double>& numbers, const char* const fields, const char* const blockEnd) {
#if LUMORA_SSE2
  const std::size_t before = numbers.size();
  const auto giveUp = [&] {
    numbers.resize(before);
    return nullptr;
  };
  const char* field = fields;
  // A field read as a word may start in the last byte of the 64 and needs 8 from there.
  for (const char* window = fields; blockEnd - window >= 64 + 8; window += 64) {
    const ByteKinds kinds = kindsOf64(window);
    const std::uint64_t lineFeed = kinds.lineFeeds & (~kinds.lineFeeds + 1);  // the first only
    const std::uint64_t inLine = lineFeed ? lineFeed | (lineFeed - 1) : ~std::uint64_t{0};
    if (kinds.nonDigits & ~kinds.semicolons & ~lineFeed & inLine) return giveUp();
    for (std::uint64_t ends = (kinds.semicolons | lineFeed) & inLine; ends != 0; ends &= ends - 1) {
      const char* const fieldEnd = window + std::countr_zero(ends);
      const auto length = static_cast<std::size_t>(fieldEnd - field);
      if (length - 1 >= 8) return giveUp();  // empty, or too long to read as one word
      const std::uint64_t number = shortWholeNumber(field, length);
      if (number == 0) return giveUp();
      numbers.push_back(static_cast<double>(static_cast<std::int64_t>(number)));
      field = fieldEnd + 1;
    }
    if (lineFeed) return window + std::countr_zero(lineFeed);
  }
  return giveUp();
#else
  (void)numbers, (void)fields, (void)blockEnd;
  return nullptr;
#endif
}

const char* ReadNumberLine(std::vector<double>& numbers, const char* const fields, const char* const blockEnd) {
  static const bool wide = WideInstructions();
  if (wide) {
    if (const char* const lineFeed = ReadShortNumberLine(numbers, fields, blockEnd)) return lineFeed;
  }
  return ReadNumberLine64(numbers, fields, blockEnd);
}

}  // namespace lumora::detail

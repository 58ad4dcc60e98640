// Reading the fields of a data list ("2655;2650;..."), the bulk of every trace packet.
// Plain decimals are read eight bytes at a time; anything else goes through value().
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "trace/core/numtext.h"

namespace lumora {
namespace detail {

// Eight bytes, the first in the lowest byte on any machine.
inline std::uint64_t LoadEight(const char* p) {
  std::uint64_t x = 0;
  for (int i = 0; i < 8; ++i) x |= std::uint64_t{static_cast<unsigned char>(p[i])} << (8 * i);
  return x;
}

// How many of the eight bytes, from the first, are digits.
inline int LeadingDigits(std::uint64_t x) {
  constexpr std::uint64_t kHigh = 0xF0F0F0F0F0F0F0F0, kZeros = 0x3030303030303030;
  // A digit has high nibble 3, and so has it plus 6. A carry out of a byte (0xFA and up)
  // only disturbs the bytes after a byte that is no digit anyway.
  const std::uint64_t notDigit = ((x & kHigh) ^ kZeros) | (((x + 0x0606060606060606) & kHigh) ^ kZeros);
  return notDigit == 0 ? 8 : std::countr_zero(notDigit) / 8;
}

// The number written by the first n (1 to 8) bytes, all digits.
inline std::uint64_t DigitsValue(std::uint64_t x, int n) {
  x <<= 8 * (8 - n);  // the other bytes drop out; zero bytes in front read as leading zeros
  x = ((x & 0x0F0F0F0F0F0F0F0F) * 2561) >> 8;                // pairs of digits
  x = ((x & 0x00FF00FF00FF00FF) * 6553601) >> 16;            // groups of four
  return ((x & 0x0000FFFF0000FFFF) * 42949672960001) >> 32;  // all eight
}

// The plain decimal of at most seven digits before and after the point that starts at
// `begin` and ends at `end` or a ";", read from whole 8-byte loads, or false. The bytes
// from `begin` up to 17 on must be readable.
inline bool ReadShortPlainDecimal(const char* begin, const char* end, PlainDecimal& d) {
  d.negative = *begin == '-';
  const char* p = begin + d.negative;
  const std::uint64_t whole = LoadEight(p);
  const int wholeDigits = LeadingDigits(whole);
  if (wholeDigits == 8) return false;
  d.mantissa = wholeDigits ? DigitsValue(whole, wholeDigits) : 0;
  p += wholeDigits;
  d.decimals = 0;
  if (p < end && *p == '.') {
    const std::uint64_t fraction = LoadEight(++p);
    d.decimals = LeadingDigits(fraction);
    if (d.decimals == 8) return false;
    if (d.decimals) {
      static constexpr std::uint64_t kScale[] = {1, 10, 100, 1000, 10000, 100000, 1000000, 10000000};
      d.mantissa = d.mantissa * kScale[d.decimals] + DigitsValue(fraction, static_cast<int>(d.decimals));
    }
    p += d.decimals;
  }
  d.digits = wholeDigits + d.decimals;
  d.end = p;
  return p == end || (p < end && *p == ';');
}

}  // namespace detail

// value() of the ";"-separated field that starts at `begin` on a line ending at `end`;
// the bytes up to `readable` may be read. Returns where the field ends (its ";" or `end`).
inline const char* ReadField(const char* begin, const char* end, const char* readable, double& number) {
  detail::PlainDecimal d;
  if (readable - begin >= 17 && detail::ReadShortPlainDecimal(begin, end, d) && d.exactValue(number)) return d.end;
  d = detail::ScanPlainDecimal(begin, end);
  if ((d.end == end || *d.end == ';') && d.exactValue(number)) return d.end;
  const void* semicolon = std::memchr(d.end, ';', static_cast<std::size_t>(end - d.end));
  const char* const fieldEnd = semicolon ? static_cast<const char*>(semicolon) : end;
  number = value(std::string_view(begin, static_cast<std::size_t>(fieldEnd - begin)));
  return fieldEnd;
}

}  // namespace lumora

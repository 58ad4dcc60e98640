// Number texts as trace records and labels write them: reading the leading number of a
// text, the fixed format patterns, and the two rounding rules. Locale-independent.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

namespace detail {

// The plain decimal at the start of [begin, end): an optional "-", digits, and an optional
// "." with digits. Most record values are such ("2500", "52.10"), and reading them needs no copy.
struct PlainDecimal {
  const char* end = nullptr;  // the first byte after it
  std::uint64_t mantissa = 0;  // its digits without the point; wraps past 19 digits, then refused
  std::ptrdiff_t digits = 0, decimals = 0;
  bool negative = false;

  // Its value, when it has 1 to 15 digits: mantissa and power of ten are then both exact,
  // so the one division rounds correctly.
  bool exactValue(double& out) const {
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                              1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
    if (digits == 0 || digits > 15) return false;
    const double whole = static_cast<double>(mantissa);
    const double magnitude = decimals == 0 ? whole : whole / kPowersOfTen[decimals];
    out = negative ? -magnitude : magnitude;
    return true;
  }
};

// Appends the digits from p on to `mantissa`; returns the first byte that is no digit.
inline const char* readDigits(const char* p, const char* const end, std::uint64_t& mantissa) {
  std::uint64_t m = mantissa;  // a local, so that the loop keeps it in a register
  for (; p < end && static_cast<unsigned char>(*p - '0') < 10; ++p) m = m * 10 + static_cast<unsigned>(*p - '0');
  mantissa = m;
  return p;
}

inline PlainDecimal scanPlainDecimal(const char* p, const char* const end) {
  PlainDecimal d;
  d.negative = p < end && *p == '-';
  p += d.negative;
  const char* const whole = p;
  p = readDigits(p, end, d.mantissa);
  d.digits = p - whole;
  if (p < end && *p == '.') {
    const char* const fraction = ++p;
    p = readDigits(p, end, d.mantissa);
    d.decimals = p - fraction;
    d.digits += d.decimals;
  }
  d.end = p;
  return d;
}

// value() of a text that is a plain decimal and nothing else; false for anything else.
inline bool readPlainDecimal(std::string_view text, double& out) {
  const char* const end = text.data() + text.size();
  const PlainDecimal d = scanPlainDecimal(text.data(), end);
  const char* const p = d.end;
  const bool moreMayFollow = p < end && (*p == ' ' || *p == '\t' || *p == '\n' || *p == 'e' || *p == 'E');
  return !moreMayFollow && d.exactValue(out);
}

// value() of a text that is not a plain decimal: blanks inside, a "+", an exponent.
double valueOfAnyText(std::string_view text);

}  // namespace detail

// The leading decimal number of `text`: optional sign, digits, one "." and an optional
// exponent ("e"/"E", at least one digit; "1e" reads 1). Blanks, tabs and line feeds inside
// it are ignored. 0 when the text does not begin with a number, and 0 when the number is
// too large (or too small) for a double, so the result is always finite.
inline double value(std::string_view text) {
  double number = 0;
  return detail::readPlainDecimal(text, number) ? number : detail::valueOfAnyText(text);
}

// value() of each text.
template <typename Texts>
std::vector<double> valuesOf(const Texts& texts) {
  std::vector<double> out;
  out.reserve(texts.size());
  for (const auto& t : texts) out.push_back(value(t));
  return out;
}

// Prints `number` with a pattern of "#" (optional digit), "0" (required digit) and ".":
// "#####.00", "####0.00", "#####0", "########", "######.00", "###.00", "####.00".
// The number is rounded as written in decimal (15 significant digits), halves away from
// zero; a result that is all zeros has no minus sign; "." is always the decimal point.
// Non-finite numbers print as 0 would.
std::string formatNumber(double number, std::string_view pattern);

// Rounding as a computation step: to `decimals` places, halves to the even neighbour.
// Non-finite input gives 0.
double roundHalfEven(double number, int decimals);

// Conversion to a whole number, halves to the even neighbour, clamped to the 32-bit range
// so that absurd input cannot overflow. Non-finite input gives 0.
std::int32_t roundToWhole(double number);

}  // namespace lumora

// Number texts as trace records and labels write them: reading the leading number of a
// text, the fixed format patterns, and the two rounding rules. Locale-independent.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// The leading decimal number of `text`: optional sign, digits, one "." and an optional
// exponent ("e"/"E", at least one digit; "1e" reads 1). Blanks, tabs and line feeds inside
// it are ignored. 0 when the text does not begin with a number, and 0 when the number is
// too large (or too small) for a double, so the result is always finite.
double value(std::string_view text);

// value() of each text.
template <typename Texts>
std::vector<double> Values(const Texts& texts) {
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

#include "base/core/number_text.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace lumora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isIgnoredBlank(char c) { return c == ' ' || c == '\t' || c == '\n'; }

// Copies the leading number of `text` into `out` without the ignored blanks and without a
// "+" sign (from_chars takes neither). Returns false when there is no digit in it.
bool collectNumber(std::string_view text, std::string& out) {
  std::size_t i = 0;
  auto skipBlanks = [&] { while (i < text.size() && isIgnoredBlank(text[i])) ++i; };
  auto takeDigits = [&] {
    bool any = false;
    for (skipBlanks(); i < text.size() && isDigit(text[i]); skipBlanks()) {
      out += text[i++];
      any = true;
    }
    return any;
  };
  skipBlanks();
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    if (text[i] == '-') out += '-';
    ++i;
  }
  bool digits = takeDigits();
  if (i < text.size() && text[i] == '.') {
    out += '.';
    ++i;
    digits = takeDigits() || digits;
  }
  if (!digits) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::string exponent = "e";
    ++i;
    skipBlanks();
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) exponent += text[i++];
    std::size_t before = exponent.size();
    for (skipBlanks(); i < text.size() && isDigit(text[i]); skipBlanks()) exponent += text[i++];
    if (exponent.size() > before) out += exponent;
  }
  return true;
}

}  // namespace

double detail::valueOfAnyText(std::string_view text) {
  std::string number;
  number.reserve(24);
  if (!collectNumber(text, number)) return 0.0;
  double result = 0.0;
  auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), result);
  if (error != std::errc() || !std::isfinite(result)) return 0.0;
  (void)end;
  return result;
}

namespace {

struct Pattern {
  int requiredWholeDigits = 0;  // "0" before the point
  int decimals = 0;             // places after the point
  bool hasPoint = false;
};

Pattern parsePattern(std::string_view pattern) {
  Pattern p;
  auto point = pattern.find('.');
  auto whole = pattern.substr(0, point);
  for (char c : whole) p.requiredWholeDigits += (c == '0');
  if (point != std::string_view::npos) {
    p.hasPoint = true;
    p.decimals = static_cast<int>(pattern.size() - point - 1);
  }
  return p;
}

// The decimal digits of |number| rounded to `decimals` places, halves away from zero,
// starting from its 15-significant-digit decimal text. Returns the digits with the implied
// point `decimals` places from the right.
std::string roundedDigits(double magnitude, int decimals) {
  char buf[64];
  auto res = std::to_chars(buf, buf + sizeof buf, magnitude, std::chars_format::scientific, 14);
  std::string_view sci(buf, static_cast<std::size_t>(res.ptr - buf));  // d.dddddddddddddde+XX or e-XX
  auto ePos = sci.find('e');
  int exponent = 0;
  std::from_chars(sci.data() + ePos + 1 + (sci[ePos + 1] == '+'), sci.data() + sci.size(), exponent);
  std::string mantissa;
  for (char c : sci.substr(0, ePos))
    if (c != '.') mantissa += c;
  // The digit at position k of `mantissa` has weight 10^(exponent - k).
  // Keep the digits with weight >= 10^-decimals.
  int keep = exponent + decimals + 1;
  std::string digits;
  bool roundUp = false;
  if (keep <= 0) {
    roundUp = (keep == 0 && mantissa[0] >= '5');
    digits = "0";
  } else {
    digits = mantissa.substr(0, std::min<std::size_t>(static_cast<std::size_t>(keep), mantissa.size()));
    if (static_cast<std::size_t>(keep) < mantissa.size()) roundUp = mantissa[static_cast<std::size_t>(keep)] >= '5';
    else digits.append(static_cast<std::size_t>(keep) - mantissa.size(), '0');
  }
  if (roundUp) {
    int k = static_cast<int>(digits.size()) - 1;
    for (; k >= 0 && digits[static_cast<std::size_t>(k)] == '9'; --k) digits[static_cast<std::size_t>(k)] = '0';
    if (k < 0) digits.insert(digits.begin(), '1');
    else ++digits[static_cast<std::size_t>(k)];
  }
  return digits;
}

// A whole number needs no rounding: its digits, the required leading zeros, zero decimals.
std::string formatWhole(double number, const Pattern& p) {
  const auto whole = static_cast<std::int64_t>(std::fabs(number));
  std::string out = number < 0 && whole != 0 ? "-" : "";
  std::string digits = whole == 0 ? "" : std::to_string(whole);
  if (digits.size() < static_cast<std::size_t>(p.requiredWholeDigits))
    digits.insert(0, static_cast<std::size_t>(p.requiredWholeDigits) - digits.size(), '0');
  out += digits;
  if (p.hasPoint) (out += '.').append(static_cast<std::size_t>(p.decimals), '0');
  return out;
}

}  // namespace

std::string formatNumber(double number, std::string_view pattern) {
  const Pattern p = parsePattern(pattern);
  if (!std::isfinite(number)) number = 0.0;
  if (number == std::trunc(number) && std::fabs(number) < 1e15) return formatWhole(number, p);
  std::string digits = roundedDigits(std::fabs(number), p.decimals);
  const auto decimals = static_cast<std::size_t>(p.decimals);
  if (digits.size() < decimals) digits.insert(0, decimals - digits.size(), '0');
  std::string whole = digits.substr(0, digits.size() - decimals);
  std::string fraction = digits.substr(digits.size() - decimals);
  whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
  if (whole.size() < static_cast<std::size_t>(p.requiredWholeDigits))
    whole.insert(0, static_cast<std::size_t>(p.requiredWholeDigits) - whole.size(), '0');
  bool allZero = digits.find_first_not_of('0') == std::string::npos;
  std::string out = (number < 0 && !allZero) ? "-" : "";
  out += whole;
  if (p.hasPoint) out += "." + fraction;
  return out;
}

double roundHalfEven(double number, int decimals) {
  if (!std::isfinite(number)) return 0.0;
  // Powers of ten up to 1e22 are exact doubles, as pow gives them; a table saves the call.
  static constexpr double kExact[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  const double scale = decimals >= 0 && decimals <= 22 ? kExact[decimals] : std::pow(10.0, decimals);
  const double scaled = number * scale;
  if (!std::isfinite(scaled) || std::fabs(scaled) >= 4.5e15) return number;  // nothing below the places
  return std::nearbyint(scaled) / scale;
}

std::int32_t roundToWhole(double number) {
  if (!std::isfinite(number)) return 0;
  const double r = std::nearbyint(number);
  constexpr double lo = std::numeric_limits<std::int32_t>::min();
  constexpr double hi = std::numeric_limits<std::int32_t>::max();
  return static_cast<std::int32_t>(r < lo ? lo : (r > hi ? hi : r));
}

}  // namespace lumora

#include "link/core/link_texts.h"

#include <cmath>
#include <limits>

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"
#include "link/core/control_chars.h"

namespace lumora {
namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// True when the whole text, blanks at both ends aside, is one decimal number:
// sign, digits with at most one ".", optional exponent.
bool isOneNumber(std::string_view text) {
  text = trimBlanks(text);
  if (text.empty()) return false;
  std::size_t i = (text[0] == '+' || text[0] == '-') ? 1 : 0;
  std::size_t digits = 0;
  bool point = false;
  for (; i < text.size() && (isDigit(text[i]) || (text[i] == '.' && !point)); ++i) {
    if (text[i] == '.')
      point = true;
    else
      ++digits;
  }
  if (digits == 0) return false;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t expStart = i;
    while (i < text.size() && isDigit(text[i])) ++i;
    if (i == expStart) return false;
  }
  return i == text.size();
}

bool fitsWhole(double number) {
  return std::fabs(number) <= static_cast<double>(std::numeric_limits<std::int32_t>::max());
}

}  // namespace

std::string equipmentLine(std::string_view stamp, int port, std::string_view event,
                          std::int32_t reference) {
  std::string line(stamp);
  line += " COM:" + std::to_string(port) + " ";
  line += event;
  line += ": " + formatNumber(reference, "############");
  return line;
}

std::int32_t jobReference(std::string_view job) {
  const double number = value(job);
  return fitsWhole(number) ? roundToWhole(number) : 0;
}

std::optional<std::string> orderLabel(std::string_view job) {
  if (!isOneNumber(job)) return std::nullopt;
  const double number = value(job);
  if (!fitsWhole(number)) return std::nullopt;
  if (roundToWhole(number) <= 0) return std::string("Order: ?");
  return "Order: " + std::string(job);
}

std::optional<std::size_t> replaceJobLine(std::vector<std::string>& rawLines, std::string_view job,
                                          std::string_view quote) {
  for (std::size_t i = 0; i < rawLines.size(); ++i) {
    if (!rawLines[i].starts_with("JOB")) continue;
    rawLines[i] = "JOB=" + std::string(quote) + std::string(job) + std::string(quote);
    return i;
  }
  return std::nullopt;
}

std::string bufferLimitLine(std::string_view what, std::string_view why) {
  return std::string(what) + ": more than " + std::to_string(kMaxLinkBuffer) + " " + std::string(why);
}

std::string savedStatus(std::string_view name) {
  return std::string(name) + " Trace Data Saved to Disk.\n\nWaiting for Next Trace...";
}

std::string notSavedStatus(std::string_view name) {
  return std::string(name) + " Trace Data NOT Saved!\n\nWaiting for Next Trace...";
}

}  // namespace lumora

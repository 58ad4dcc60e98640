#include "link/core/link_texts.h"

#include <cmath>
#include <limits>

#include "link/core/control_chars.h"
#include "base/core/number_text.h"
#include "base/core/ascii_text.h"

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

std::string EquipMsg(std::string_view stamp, int port, std::string_view Equip,
                     std::int32_t JobRef) {
  std::string line(stamp);
  line += " COM:" + std::to_string(port) + " ";
  line += Equip;
  line += ": " + formatNumber(JobRef, "############");
  return line;
}

std::int32_t JobRefFromText(std::string_view jobNumberText) {
  const double number = value(jobNumberText);
  return fitsWhole(number) ? roundToWhole(number) : 0;
}

std::optional<std::string> ShowOrderNumber(std::string_view JobNumberText) {
  if (!isOneNumber(JobNumberText)) return std::nullopt;
  const double number = value(JobNumberText);
  if (!fitsWhole(number)) return std::nullopt;
  if (roundToWhole(number) <= 0) return std::string("Order: ?");
  return "Order: " + std::string(JobNumberText);
}

std::optional<std::size_t> ReplaceJobNumber(std::vector<std::string>& rawLines,
                                            std::string_view JobNumber, std::string_view quote) {
  for (std::size_t i = 0; i < rawLines.size(); ++i) {
    if (!rawLines[i].starts_with("JOB")) continue;
    rawLines[i] = "JOB=" + std::string(quote) + std::string(JobNumber) + std::string(quote);
    return i;
  }
  return std::nullopt;
}

std::string BufferLimitText(std::string_view what, std::string_view why) {
  return std::string(what) + ": more than " + std::to_string(MaxLinkBuffer) + " " + std::string(why);
}

std::string SavedStatusText(std::string_view name) {
  return std::string(name) + " Trace Data Saved to Disk.\n\nWaiting for Next Trace...";
}

std::string NotSavedStatusText(std::string_view name) {
  return std::string(name) + " Trace Data NOT Saved!\n\nWaiting for Next Trace...";
}

}  // namespace lumora

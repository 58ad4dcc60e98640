// Small text helpers for record texts (bytes, ASCII rules, no locale).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lumora {

// Upper-cases ASCII letters only, so record texts keep their length and other bytes.
char asciiUpper(char c);
std::string asciiUpper(std::string_view text);
bool startsWithNoCase(std::string_view text, std::string_view prefix);

// The text without `blanks` at either end (tabs and other white space stay by default).
std::string_view trimBlanks(std::string_view text, std::string_view blanks = " ");

// Replaces every `from` by `to`, left to right; the replacement is not searched again.
void replaceAll(std::string& text, std::string_view from, std::string_view to);

// The fields of `text` separated by `separator`; an empty text gives no fields.
std::vector<std::string_view> splitFields(std::string_view text, char separator);
std::vector<std::string> splitToStrings(std::string_view text, char separator);
std::string joinFields(const std::vector<std::string>& fields, char separator);

// Calls `onLine` with each line of `text` split at LF (the last line may be empty).
// `onLine` returns false to stop early.
template <typename F>
void forEachLine(std::string_view text, F&& onLine) {
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('\n', start);
    if (!onLine(text.substr(start, end == std::string_view::npos ? end : end - start))) return;
    if (end == std::string_view::npos) return;
    start = end + 1;
  }
}

// Calls `onLine` once with each line of `text` (split at LF) that contains `needle`, in order.
template <typename F>
void forEachLineContaining(std::string_view text, std::string_view needle, F&& onLine) {
  for (std::size_t hit = text.find(needle); hit != std::string_view::npos;) {
    const std::size_t lf = text.rfind('\n', hit);
    const std::size_t start = lf == std::string_view::npos ? 0 : lf + 1;
    const std::size_t end = text.find('\n', hit);
    onLine(text.substr(start, end == std::string_view::npos ? end : end - start));
    if (end == std::string_view::npos) return;
    hit = text.find(needle, end + 1);
  }
}

}  // namespace lumora

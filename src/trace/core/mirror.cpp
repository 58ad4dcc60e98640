#include "trace/core/mirror.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstring>

#include "base/core/number_text.h"

namespace lumora {
namespace {

// Field i moves to index k(i), k counting down from n / 2 + 1 (halves to even) and wrapping
// from -1 to n - 1, so k(i) = (k0 - 1 - i) mod n. That map is its own inverse: output j
// takes field (k0 - 1 - j) mod n. This is the field output 0 takes.
std::size_t firstMirroredSource(std::size_t n) {
  const std::int64_t k0 = roundToWhole(static_cast<double>(n) / 2 + 1);
  const auto signedN = static_cast<std::int64_t>(n);
  return static_cast<std::size_t>(((k0 - 1) % signedN + signedN) % signedN);
}

// Calls visit(i) with the field each output j = 0 .. n - 1 takes.
template <typename Visit>
void forEachMirroredSource(std::size_t n, Visit visit) {
  auto i = firstMirroredSource(n);
  for (std::size_t j = 0; j < n; ++j) {
    visit(i);
    i = i == 0 ? n - 1 : i - 1;
  }
}

// Copies a short piece with one fixed-size move when both ends have room to spare.
void copyPiece(char* to, const char* toEnd, const char* from, const char* fromEnd, std::size_t length) {
  if (length <= 8 && toEnd - to >= 8 && fromEnd - from >= 8) std::memcpy(to, from, 8);
  else std::memcpy(to, from, length);
}

}  // namespace

// The mirrored text has the same fields and separators, so exactly the same length.
std::string mirroredFields(const FieldList& list) {
  const std::size_t n = list.size();
  if (n < 2) return {};
  std::string out(list.text.size() + 8, '\0');  // 8 to spare for copyPiece
  char* to = out.data();
  const char* const toEnd = out.data() + out.size();
  const char* const textEnd = list.text.data() + list.text.size();
  forEachMirroredSource(n, [&](std::size_t i) {
    const std::string_view field = list.field(i);
    copyPiece(to, toEnd, field.data(), textEnd, field.size());
    to += field.size();
    *to++ = ';';
  });
  out.resize(list.text.size());
  return out;
}

void mirrorList(std::string& list) { list = mirroredFields(toFieldList(std::move(list))); }

// Output j takes field (first - j) mod n: the fields from `first` down to 0, then from the
// last down to first + 1, each run a plain reversed copy.
std::vector<double> mirroredValues(const std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n < 2) return {};
  const std::size_t first = firstMirroredSource(n);
  std::vector<double> out(n);
  std::reverse_copy(values.begin(), values.begin() + static_cast<std::ptrdiff_t>(first) + 1, out.begin());
  std::reverse_copy(values.begin() + static_cast<std::ptrdiff_t>(first) + 1, values.end(),
                    out.begin() + static_cast<std::ptrdiff_t>(first) + 1);
  return out;
}

// The result lies between 1 and 719, never 0, so it always has digits before the point:
// at most "719.00;", 7 bytes an angle.
std::string mirroredAngles(const std::vector<double>& angles) {
  const std::size_t n = angles.size();
  if (n < 2) return {};
  std::string out(7 * n, '\0');
  char* to = out.data();
  forEachMirroredSource(n, [&](std::size_t i) {
    const std::int64_t r = roundToWhole(angles[i] + 180);
    to = std::to_chars(to, out.data() + out.size(), 360 - r % 360).ptr;
    std::memcpy(to, ".00;", 4);
    to += 4;
  });
  out.resize(static_cast<std::size_t>(to - out.data()) - 1);
  return out;
}

}  // namespace lumora

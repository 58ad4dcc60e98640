#include "trace/core/mirror.h"

#include <charconv>
#include <vector>

#include "trace/core/numtext.h"
#include "trace/core/text_util.h"

namespace lumora {
namespace {

// Field i moves to index k(i), k counting down from n / 2 + 1 (halves to even) and wrapping
// from -1 to n - 1, so k(i) = (k0 - 1 - i) mod n. That map is its own inverse: output j
// takes field (k0 - 1 - j) mod n.
class MirrorMap {
 public:
  explicit MirrorMap(std::size_t n)
      : n_(static_cast<std::int64_t>(n)), k0_(roundToWhole(static_cast<double>(n) / 2 + 1)) {}
  std::size_t sourceOf(std::size_t j) const {
    const std::int64_t i = (k0_ - 1 - static_cast<std::int64_t>(j)) % n_;
    return static_cast<std::size_t>(i < 0 ? i + n_ : i);
  }

 private:
  std::int64_t n_, k0_;
};

// 360 - ((angle + 180) mod 360) in whole degrees, printed as "###.00" would print it
// (the result lies between 1 and 719, never 0, so it always has digits before the point).
void appendMirroredAngle(std::string& out, std::string_view field) {
  const std::int64_t r = roundToWhole(value(field) + 180);
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, 360 - r % 360).ptr;
  out.append(digits, end).append(".00");
}

void appendUnchanged(std::string& out, std::string_view field) { out += field; }

template <typename Append>
void mirror(std::string& list, Append append) {
  const std::vector<std::string_view> fields = SplitFields(list, ';');
  const std::size_t n = fields.size();
  if (n < 2) {
    list.clear();
    return;
  }
  const MirrorMap map(n);
  std::string out;
  out.reserve(list.size() + 4 * n);
  for (std::size_t j = 0; j < n; ++j) {
    if (j) out += ';';
    append(out, fields[map.sourceOf(j)]);
  }
  list = std::move(out);
}

}  // namespace

void MirrorList(std::string& list) { mirror(list, appendUnchanged); }

void MirrorValues(std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n < 2) {
    values.clear();
    return;
  }
  const MirrorMap map(n);
  std::vector<double> out(n);
  for (std::size_t j = 0; j < n; ++j) out[j] = values[map.sourceOf(j)];
  values = std::move(out);
}

void MirrorTraceData(std::string& radii, std::string& z, std::string& angles) {
  mirror(radii, appendUnchanged);
  mirror(z, appendUnchanged);
  mirror(angles, appendMirroredAngle);
}

}  // namespace lumora

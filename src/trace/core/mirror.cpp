#include "trace/core/mirror.h"

#include <vector>

#include "trace/core/numtext.h"
#include "trace/core/text_util.h"

namespace lumora {
namespace {

// 360 - ((angle + 180) mod 360) in whole degrees, printed as "###.00" would print it
// (the result lies between 1 and 719, never 0, so it always has digits before the point).
std::string mirroredAngle(std::string_view field) {
  const std::int64_t r = roundToWhole(value(field) + 180);
  return std::to_string(360 - r % 360) + ".00";
}

// The index field i moves to: k counts down from n / 2 + 1 (halves to even), wrapping
// from -1 to n - 1.
std::vector<std::size_t> mirroredOrder(std::size_t n) {
  std::vector<std::size_t> order(n);
  std::int64_t k = roundToWhole(static_cast<double>(n) / 2 + 1);
  for (std::size_t i = 0; i < n; ++i) {
    if (--k < 0) k = static_cast<std::int64_t>(n) - 1;
    order[i] = static_cast<std::size_t>(k);
  }
  return order;
}

template <typename Convert>
void mirror(std::string& list, Convert convert) {
  const std::vector<std::string_view> fields = SplitFields(list, ';');
  const std::size_t n = fields.size();
  if (n < 2) {
    list.clear();
    return;
  }
  using Field = decltype(convert(fields[0]));
  std::vector<Field> out(n);
  const std::vector<std::size_t> order = mirroredOrder(n);
  for (std::size_t i = 0; i < n; ++i) out[order[i]] = convert(fields[i]);
  std::string joined;
  joined.reserve(list.size() + n);
  for (std::size_t i = 0; i < n; ++i) (i ? joined += ';' : joined) += out[i];
  list = std::move(joined);
}

std::string_view unchanged(std::string_view field) { return field; }

}  // namespace

void MirrorList(std::string& list) { mirror(list, unchanged); }

void MirrorValues(std::vector<double>& values) {
  const std::size_t n = values.size();
  if (n < 2) {
    values.clear();
    return;
  }
  std::vector<double> out(n);
  const std::vector<std::size_t> order = mirroredOrder(n);
  for (std::size_t i = 0; i < n; ++i) out[order[i]] = values[i];
  values = std::move(out);
}

void MirrorTraceData(std::string& radii, std::string& z, std::string& angles) {
  mirror(radii, unchanged);
  mirror(z, unchanged);
  mirror(angles, mirroredAngle);
}

}  // namespace lumora

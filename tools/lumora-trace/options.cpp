#include "options.h"

#include <charconv>
#include <cmath>

namespace lumora::tool {

Options parseOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                     const std::set<std::string>& flagNames) {
  Options o;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() < 2 || !a.starts_with("-") || a == "-") {
      o.positional.push_back(a);
    } else if (flagNames.count(a)) {
      o.flags.insert(a);
    } else if (valued.count(a) && i + 1 < args.size()) {
      o.values[a] = args[++i];
    } else {
      o.error = valued.count(a) ? a + " needs a value" : "unknown option " + a;
      return o;
    }
  }
  return o;
}

std::optional<double> numberArg(const std::string& text) {
  double d = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), d);
  if (ec != std::errc() || end != text.data() + text.size() || !std::isfinite(d)) return std::nullopt;
  return d;
}

std::optional<int> intArg(const std::string& text) {
  int n = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), n);
  if (ec != std::errc() || end != text.data() + text.size() || n < -32768 || n > 32767) return std::nullopt;
  return n;
}

std::optional<Side> sideOf(int number) {
  if (number == 0) return Side::Right;
  if (number == 1) return Side::Left;
  return std::nullopt;
}

std::optional<Side> sideArg(const std::string& text) {
  const std::optional<int> number = intArg(text);
  return number ? sideOf(*number) : std::nullopt;
}

}  // namespace lumora::tool

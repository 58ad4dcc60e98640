#include "trace/core/format_line.h"

#include "base/core/number_text.h"

namespace lumora {

std::int32_t declaredCount(std::string_view formatLine) {
  const std::size_t semi = formatLine.find(';');
  return semi == std::string_view::npos ? 0 : roundToWhole(value(formatLine.substr(semi + 1)));
}

void assignBySideField(std::string_view formatLine, std::string& right, std::string& left) {
  auto has = [&](std::string_view field) { return formatLine.find(field) != std::string_view::npos; };
  if (has(";R;") || has(";B;")) right = formatLine;
  if (has(";L;")) left = formatLine;
}

}  // namespace lumora

// Reading the fields of a data list ("2655;2650;..."), the bulk of every trace packet: one
// pass finds where a field ends and reads it when it is a plain decimal.
#pragma once

#include <cstring>
#include <string_view>

#include "base/core/number_text.h"

namespace lumora {

// value() of the ";"-separated field that starts at `begin` on a line ending at `end`.
// Returns where the field ends (its ";" or `end`).
inline const char* ReadField(const char* begin, const char* end, double& number) {
  const detail::PlainDecimal d = detail::scanPlainDecimal(begin, end);
  if ((d.end == end || *d.end == ';') && d.exactValue(number)) return d.end;
  const void* semicolon = std::memchr(d.end, ';', static_cast<std::size_t>(end - d.end));
  const char* const fieldEnd = semicolon ? static_cast<const char*>(semicolon) : end;
  number = value(std::string_view(begin, static_cast<std::size_t>(fieldEnd - begin)));
  return fieldEnd;
}

}  // namespace lumora

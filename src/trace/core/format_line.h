// Format lines ("TRCFMT=", "ZFMT=", "_SHLFFMT="): format; declared count; ...; side field.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lumora {

// The declared count: value of the text after the first ";", as a whole number (0 without ";").
std::int32_t declaredCount(std::string_view formatLine);

// Stores the line as the right side's (";R;" or ";B;" in it) and the left side's (";L;").
void assignBySideField(std::string_view formatLine, std::string& right, std::string& left);

}  // namespace lumora

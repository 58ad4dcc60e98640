// The application's title: window titles, the settings store's application name and the
// auto-start entry all carry it.
#pragma once

#include <string_view>

namespace lumora {

inline constexpr std::string_view ApplicationTitle = "Lumora Corvane Trace Server";

}  // namespace lumora

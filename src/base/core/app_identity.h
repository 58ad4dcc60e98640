// Who the program is: the application title that window titles, the settings store and the
// auto-start entry carry, and the serial ports it can be set to.
#pragma once

#include <string_view>

namespace lumora {

inline constexpr std::string_view kApplicationTitle = "Lumora Corvane Trace Server";

// Serial ports are numbered 1 to 16 (COM1 to COM16 on Windows); any other number stored as
// the port configures none.
inline constexpr int kPortCount = 16;
inline constexpr bool portNumberUsable(int port) { return port >= 1 && port <= kPortCount; }

}  // namespace lumora

// Serial ports are numbered 1 to 16 (COM1 to COM16 on Windows); any other number stored as
// the port configures none.
#pragma once

namespace lumora {

inline constexpr int PortCount = 16;
inline constexpr bool PortNumberUsable(int port) { return port >= 1 && port <= PortCount; }

}  // namespace lumora

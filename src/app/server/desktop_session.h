// Whether the tray application has a desktop to show in; one implementation per platform
// (desktop_session_posix.cpp, desktop_session_windows.cpp).
#pragma once

namespace lumora {

// Always on Windows. Elsewhere a display server must be named (DISPLAY or WAYLAND_DISPLAY),
// unless a Qt platform is chosen explicitly (QT_QPA_PLATFORM); without one Qt would end the
// program with a message that blames the installation.
bool DesktopSessionAvailable();

}  // namespace lumora

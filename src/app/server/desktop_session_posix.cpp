#include <QtGlobal>

#include "app/server/desktop_session.h"

namespace lumora {

// macOS draws without a display server, as Windows does.
bool DesktopSessionAvailable() {
#ifdef Q_OS_MACOS
  return true;
#else
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

}  // namespace lumora

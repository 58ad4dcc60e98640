#include "app/server/desktop_session.h"

#include <QtGlobal>

namespace lumora {

bool DesktopSessionAvailable() {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
  return true;
#else
  return !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
         !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
#endif
}

}  // namespace lumora

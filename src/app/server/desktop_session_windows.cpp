#include "app/server/desktop_session.h"

namespace lumora {

bool DesktopSessionAvailable() { return true; }

}  // namespace lumora

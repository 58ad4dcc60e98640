// The per-user settings store of this platform, where SettingsStore keeps its section
// (user_settings_posix.cpp, user_settings_windows.cpp).
#pragma once

#include <QSettings>

namespace lumora {

// A fresh object on every call, so that a store redirected by QSettings::setPath (tests) and
// changes made through another object are always seen.
QSettings openUserSettings();

}  // namespace lumora

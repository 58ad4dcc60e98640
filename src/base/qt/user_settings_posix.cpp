#include "base/qt/user_settings.h"

#include "base/core/settings_table.h"
#include "base/qt/qt_text.h"

namespace lumora {

QSettings openUserSettings() {
  return QSettings(QSettings::defaultFormat(), QSettings::UserScope, toQString(kSettingsApplicationName));
}

}  // namespace lumora

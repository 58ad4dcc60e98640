#include "base/qt/user_settings.h"

#include "base/core/settings_table.h"
#include "base/qt/qt_text.h"

namespace lumora {

// HKEY_CURRENT_USER\Software\<application name>\Properties itself: named by the organisation
// alone, Qt would put the keys under a further "OrganizationDefaults". Tests switch the
// default format to files, which setPath can redirect; the registry it cannot.
QSettings openUserSettings() {
  if (QSettings::defaultFormat() == QSettings::NativeFormat)
    return QSettings(QStringLiteral("HKEY_CURRENT_USER\\Software\\") + toQString(kSettingsApplicationName),
                     QSettings::NativeFormat);
  return QSettings(QSettings::defaultFormat(), QSettings::UserScope, toQString(kSettingsApplicationName));
}

}  // namespace lumora

// Points the per-user settings store at a fresh temporary folder for one test. On Windows the
// store is the registry, which no path can redirect, so the test's store is a file there.
#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace lumora::testing {

class TempSettings {
 public:
  TempSettings() {
#ifdef Q_OS_WIN
    QSettings::setDefaultFormat(QSettings::IniFormat);
#endif
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace lumora::testing

// Points the per-user settings store at a fresh temporary folder for one test.
#pragma once

#include <QSettings>
#include <QTemporaryDir>

namespace lumora::testing {

class TempSettings {
 public:
  TempSettings() {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir_.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.path());
  }
  QString path() const { return dir_.path(); }

 private:
  QTemporaryDir dir_;
};

}  // namespace lumora::testing

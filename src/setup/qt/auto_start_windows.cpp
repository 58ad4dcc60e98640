#include "setup/qt/auto_start_windows.h"

#include <QSettings>
#include <utility>

#include "app/core/app_title.h"
#include "app/qt/qt_text.h"

namespace lumora {
namespace {

QSettings runKey() {
  return QSettings(
      QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
      QSettings::NativeFormat);
}

}  // namespace

RunKeyAutoStart::RunKeyAutoStart(QString programPath) : program_(std::move(programPath)) {}

void RunKeyAutoStart::add() {
  QSettings key = runKey();
  key.setValue(QText(ApplicationTitle), program_);
}

void RunKeyAutoStart::remove() {
  QSettings key = runKey();
  key.remove(QText(ApplicationTitle));
}

bool RunKeyAutoStart::present() const { return runKey().contains(QText(ApplicationTitle)); }

}  // namespace lumora

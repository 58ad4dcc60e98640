#include "setup/qt/auto_start_windows.h"

#include <QSettings>
#include <utility>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"

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
  // Unquoted, a path with blanks ("C:\Program Files\...") would let Windows try
  // "C:\Program.exe" first.
  const bool blanks = program_.contains(QLatin1Char(' '));
  key.setValue(toQString(kApplicationTitle), blanks ? QStringLiteral("\"%1\"").arg(program_) : program_);
}

void RunKeyAutoStart::remove() {
  QSettings key = runKey();
  key.remove(toQString(kApplicationTitle));
}

bool RunKeyAutoStart::present() const { return runKey().contains(toQString(kApplicationTitle)); }

}  // namespace lumora

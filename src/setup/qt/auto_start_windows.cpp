#include <QCoreApplication>
#include <QDir>
#include <QSettings>
#include <utility>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "setup/qt/auto_start.h"

namespace lumora {
namespace {

// The value HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run\<application
// title>, holding the program's full path.
class RunKeyAutoStart : public AutoStart {
 public:
  explicit RunKeyAutoStart(QString programPath) : program_(std::move(programPath)) {}

  void add() override {
    QSettings key = runKey();
    // Unquoted, a path with blanks ("C:\Program Files\...") would let Windows try
    // "C:\Program.exe" first.
    const bool blanks = program_.contains(QLatin1Char(' '));
    key.setValue(toQString(kApplicationTitle), blanks ? QStringLiteral("\"%1\"").arg(program_) : program_);
  }
  void remove() override {
    QSettings key = runKey();
    key.remove(toQString(kApplicationTitle));
  }
  bool present() const override { return runKey().contains(toQString(kApplicationTitle)); }

 private:
  static QSettings runKey() {
    return QSettings(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run"),
        QSettings::NativeFormat);
  }

  QString program_;
};

}  // namespace

QString autoStartCaption() { return QStringLiteral("Auto-Run at Windows Startup"); }

QString autoStartTip() {
  return QStringLiteral("Selecting this option will automatically run the program each time Windows starts.");
}

std::unique_ptr<AutoStart> platformAutoStart() {
  return std::make_unique<RunKeyAutoStart>(QDir::toNativeSeparators(QCoreApplication::applicationFilePath()));
}

}  // namespace lumora

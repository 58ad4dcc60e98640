#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

#include "setup/qt/auto_start.h"

#ifdef Q_OS_WIN
#include "setup/qt/auto_start_windows.h"
#endif

namespace lumora {

std::unique_ptr<AutoStart> PlatformAutoStart() {
  const QString program = QDir::toNativeSeparators(QCoreApplication::applicationFilePath());
#ifdef Q_OS_WIN
  return std::make_unique<RunKeyAutoStart>(program);
#else
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return std::make_unique<XdgAutoStart>(config + QStringLiteral("/autostart"), program);
#endif
}

}  // namespace lumora

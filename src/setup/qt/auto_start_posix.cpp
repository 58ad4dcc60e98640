#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QStandardPaths>
#include <utility>

#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "setup/qt/auto_start.h"

namespace lumora {

QString autoStartCaption() { return QStringLiteral("Auto-Run at Log In"); }

QString autoStartTip() {
  return QStringLiteral("Selecting this option will automatically run the program each time you log in.");
}

std::unique_ptr<AutoStart> platformAutoStart() {
  const QString config = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
  return std::make_unique<XdgAutoStart>(config + QStringLiteral("/autostart"),
                                        QCoreApplication::applicationFilePath());
}

QString desktopExecQuoted(const QString& programPath) {
  QString quoted;
  for (const QChar c : programPath) {
    if (c == u'"' || c == u'`' || c == u'$' || c == u'\\') quoted += u'\\';
    if (c == u'%') quoted += u'%';
    quoted += c;
  }
  quoted.replace(QStringLiteral("\\"), QStringLiteral("\\\\"));
  return u'"' + quoted + u'"';
}

XdgAutoStart::XdgAutoStart(QString autostartFolder, QString programPath)
    : folder_(std::move(autostartFolder)), program_(std::move(programPath)) {}

QString XdgAutoStart::entryPath() const {
  return QDir(folder_).filePath(toQString(kApplicationTitle) + QStringLiteral(".desktop"));
}

void XdgAutoStart::add() {
  if (!QDir().mkpath(folder_)) return;
  QSaveFile file(entryPath());
  if (!file.open(QIODevice::WriteOnly)) return;
  const QString entry = QStringLiteral("[Desktop Entry]\nType=Application\nName=") +
                        toQString(kApplicationTitle) + QStringLiteral("\nExec=") +
                        desktopExecQuoted(program_) + QStringLiteral("\nTerminal=false\n");
  file.write(entry.toUtf8());
  file.commit();
}

void XdgAutoStart::remove() { QFile::remove(entryPath()); }

bool XdgAutoStart::present() const { return QFile::exists(entryPath()); }

}  // namespace lumora

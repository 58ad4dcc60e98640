#include "app/server/writable_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <cstdio>

#include "app/core/about_box.h"

namespace lumora {
namespace {

bool canCreateFileIn(const QString& folder) {
  if (folder.isEmpty() || !QDir().mkpath(folder)) return false;
  QTemporaryFile probe(QDir(folder).filePath("write-test-XXXXXX"));
  return probe.open();
}

QFile* logFile = nullptr;

void writeToLog(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (logFile == nullptr) return;
  logFile->write(message.toUtf8() + '\n');
  logFile->flush();
}

}  // namespace

QString WritableFolder(const QString& preferred, const QString& fallback) {
  if (canCreateFileIn(preferred)) return preferred;
  if (canCreateFileIn(fallback)) return fallback;
  return {};
}

QString ApplicationLogName() {
  const AppVersion v = ProgramVersion();
  return QStringLiteral("Corvane Lumora Trace Server v%1.%2%3.Log")
      .arg(v.Major)
      .arg(v.Minor)
      .arg(v.Revision);
}

QString StartApplicationLog() {
  const QString folder =
      WritableFolder(QCoreApplication::applicationDirPath(),
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
  if (folder.isEmpty()) return {};
  auto* file = new QFile(QDir(folder).filePath(ApplicationLogName()), QCoreApplication::instance());
  if (!file->open(QIODevice::WriteOnly | QIODevice::Truncate)) {
    delete file;
    return {};
  }
  logFile = file;
  QObject::connect(file, &QObject::destroyed, [] {
    qInstallMessageHandler(nullptr);
    logFile = nullptr;
  });
  qInstallMessageHandler(writeToLog);
  return file->fileName();
}

}  // namespace lumora

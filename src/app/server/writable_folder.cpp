#include "app/server/writable_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cstdio>

#include "app/core/about_box.h"
#include "app/core/shell_texts.h"
#include "base/qt/qt_text.h"
#include "base/core/file_replace.h"

namespace lumora {
namespace {

QFile* logFile = nullptr;

void writeToLog(QtMsgType, const QMessageLogContext&, const QString& message) {
  if (logFile == nullptr) return;
  // Months in the tray: a platform that warns at every upload must not fill the disk. The
  // newest messages tell most, so a full log starts afresh.
  if (logFile->size() >= kLargestApplicationLog) {
    logFile->resize(0);
    logFile->seek(0);
    logFile->write("Earlier messages were dropped: the log keeps at most 4 MiB.\n");
  }
  logFile->write(message.toUtf8() + '\n');
  logFile->flush();
}

}  // namespace

std::string FolderProblem(const QString& folder) {
  if (folder.isEmpty()) return "no folder is named";
  if (!QDir().mkpath(folder)) return "it cannot be created";
  const auto problem = folderWriteProblem(folder.toStdString());
  return problem ? problem->text : std::string();
}

QString WritableFolder(const QString& preferred, const QString& fallback) {
  if (FolderProblem(preferred).empty()) return preferred;
  if (FolderProblem(fallback).empty()) return fallback;
  return {};
}

QString ApplicationLogName() { return toQString(mainWindowCaption(programVersion()) + ".Log"); }

QString StartApplicationLog() {
  const QString folder =
      WritableFolder(QCoreApplication::applicationDirPath(),
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
  return folder.isEmpty() ? QString() : StartApplicationLogIn(folder, QCoreApplication::instance());
}

QString StartApplicationLogIn(const QString& folder, QObject* owner) {
  auto* file = new QFile(QDir(folder).filePath(ApplicationLogName()), owner);
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

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

// Qt's message handler is a plain function without a context: the log it writes to can
// only be found here. Set and cleared on the user-interface thread, by startApplicationLogIn.
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

std::optional<Problem> folderProblem(const QString& folder) {
  if (folder.isEmpty()) return Problem{"no folder is named"};
  if (!QDir().mkpath(folder)) return Problem{"it cannot be created"};
  return folderWriteProblem(folder.toStdString());
}

QString writableFolder(const QString& preferred, const QString& fallback) {
  if (!folderProblem(preferred)) return preferred;
  if (!folderProblem(fallback)) return fallback;
  return {};
}

QString applicationLogName() { return toQString(mainWindowCaption(programVersion()) + ".Log"); }

QString startApplicationLog() {
  const QString folder =
      writableFolder(QCoreApplication::applicationDirPath(),
                     QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation));
  return folder.isEmpty() ? QString() : startApplicationLogIn(folder, QCoreApplication::instance());
}

QString startApplicationLogIn(const QString& folder, QObject* owner) {
  auto* file = new QFile(QDir(folder).filePath(applicationLogName()), owner);
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

#include "history/qt/upload_recording.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QString>

#include "history/qt/history_store.h"

namespace lumora {

std::optional<Problem> recordUpload(HistoryStore& store, const UploadEnd& end, int port, const std::string& device) {
  const QDateTime local = QDateTime::currentDateTime();
  const QString time = local.toOffsetFromUtc(local.offsetFromUtc()).toString(Qt::ISODate);
  const auto problem = store.append(historyRecordOf(end, time.toStdString(), port, device));
  if (!problem) return std::nullopt;
  return Problem{"History Not Written: " + problem->text};
}

QString defaultHistoryPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/history.sqlite";
}

}  // namespace lumora

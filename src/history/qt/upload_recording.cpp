#include "history/qt/upload_recording.h"

#include <QDateTime>
#include <QStandardPaths>
#include <QString>
#include <cstdlib>

#include "history/qt/history_store.h"

namespace lumora {

namespace {

// ISO 8601 with the offset always written out ("+00:00", where Qt would write "Z").
QString localTimeText(const QDateTime& local) {
  const int minutes = local.offsetFromUtc() / 60;
  return local.toString("yyyy-MM-dd'T'HH:mm:ss") +
         QString::asprintf("%c%02d:%02d", minutes < 0 ? '-' : '+', std::abs(minutes) / 60, std::abs(minutes) % 60);
}

}  // namespace

std::optional<Problem> recordUpload(HistoryStore& store, const UploadEnd& end, int port, const std::string& device) {
  const QString time = localTimeText(QDateTime::currentDateTime());
  const auto problem = store.append(historyRecordOf(end, time.toStdString(), port, device));
  if (!problem) return std::nullopt;
  return Problem{"History Not Written: " + problem->text};
}

QString defaultHistoryPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/history.sqlite";
}

}  // namespace lumora

// The "Trace History" window under the offscreen platform, over a history of a few uploads of
// the samples (measured as the servers measure them) and two refused ones.
// Usage: lumora-history-screenshot SAMPLES_FOLDER OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "base/core/file_read.h"
#include "history/qt/history_store.h"
#include "history/qt/trace_history_window.h"

int main(int argc, char** argv) {
  using namespace lumora;
  if (argc != 3) {
    std::fprintf(stderr, "usage: lumora-history-screenshot SAMPLES_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const QDir samples(QString::fromLocal8Bit(argv[1]));
  QTemporaryDir folder;
  HistoryStore store(folder.filePath("history.sqlite"));
  const std::string saves = "/home/optician/LumoraTraces";
  int minute = 0;
  const auto add = [&](UploadEnd end) {
    const std::string time = "2026-06-12T09:" + std::to_string(10 + 7 * minute++) + ":04+02:00";
    (void)store.append(historyRecordOf(end, time, 5, "/dev/ttyUSB0"));
  };
  for (const char* job : {"1001", "1002", "1003"})
    add({UploadOutcome::Stored, job, 0, saves, job, readFileText(samples.filePath(job).toStdString())});
  add({UploadOutcome::RefusedBrand, "1004", 17});
  add({UploadOutcome::Renamed, "1005", 0, saves, "1005-B", readFileText(samples.filePath("1005").toStdString())});
  add({UploadOutcome::TimedOut, "1006", 1});
  TraceHistoryWindow window(store);
  window.show();
  QApplication::processEvents();
  const QString path = QDir(QString::fromLocal8Bit(argv[2])).filePath("history-window.png");
  const bool saved = window.grab().save(path);
  std::printf("%s %s\n", saved ? "wrote" : "FAILED", qPrintable(path));
  return saved ? 0 : 1;
}

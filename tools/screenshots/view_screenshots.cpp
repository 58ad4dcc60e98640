// Screenshots of the trace viewing windows under the offscreen platform: a trace picture with
// a sample drawn by the maintenance dialog, the maintenance dialog previewing a sample, and the
// screen calibration dialog (the maintenance dialog is also shown over the main window by
// lumora-main-window-screenshot).
// Usage: lumora-view-screenshots SAMPLES_FOLDER OUTPUT_FOLDER
#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QListView>
#include <QSettings>
#include <QTemporaryDir>
#include <cstdio>

#include "base/qt/questions.h"
#include "base/qt/settings_store.h"
#include "trace/core/picture_surface.h"
#include "view/qt/calibration_dialog.h"
#include "view/qt/trace_maintenance_dialog.h"
#include "view/qt/trace_picture.h"

namespace {

bool save(QWidget& window, const QDir& out, const char* name) {
  window.show();
  QApplication::processEvents();
  const QString path = out.filePath(QString::fromLatin1(name));
  if (window.grab().save(path)) return true;
  std::fprintf(stderr, "lumora-view-screenshots: cannot write %s\n", qPrintable(path));
  return false;
}

// The picture the maintenance dialog drew the second of the samples on.
bool maintenance(const QDir& samples, const QDir& out) {
  QTemporaryDir folder;
  for (const QString& name : samples.entryList(QDir::Files)) {
    QFile::copy(samples.filePath(name), folder.filePath(name));
  }
  lumora::QtQuestions questions;
  lumora::TracePicture picture;
  picture.setFixedSizeMm(80, 60);
  const lumora::ScreenCalibration calibration;
  lumora::TraceMaintenanceDialog dialog(questions, folder.path().toStdString(), picture, calibration);
  auto* list = dialog.findChild<QListView*>(QStringLiteral("traceList"));
  list->selectionModel()->select(list->model()->index(1, 0), QItemSelectionModel::Select);
  dialog.onTraceClicked();
  if (!save(picture, out, "trace-picture.png")) return false;
  list->setCurrentIndex(list->model()->index(0, 0));
  return save(dialog, out, "maintenance-preview.png");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: lumora-view-screenshots SAMPLES_FOLDER OUTPUT_FOLDER\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QTemporaryDir settings;  // the calibration dialog must not touch the user's settings
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings.path());
  const QDir samples(QString::fromLocal8Bit(argv[1]));
  const QDir out(QString::fromLocal8Bit(argv[2]));
  if (!QDir().mkpath(out.path())) return 1;
  lumora::SettingsStore store;
  lumora::ScreenCalibration calibration;
  lumora::CalibrationDialog calibrate(store, calibration);
  const bool ok = maintenance(samples, out) && save(calibrate, out, "calibrate-display.png");
  return ok ? 0 : 1;
}

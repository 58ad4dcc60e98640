// The main window's side of the upload history: each upload recorded as it ends, the
// "Trace History" window, and a trace from it drawn again.
#include <QFileInfo>

#include "app/desktop/main_window.h"
#include "base/core/app_identity.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "history/qt/trace_history_window.h"
#include "history/qt/upload_recording.h"
#include "view/qt/trace_picture.h"

namespace lumora {

// A history that cannot be written costs its line in the activity list, never the upload.
void MainWindow::recordUpload(const UploadEnd& end) {
  if (!services_.history) return;
  if (const auto problem = lumora::recordUpload(*services_.history, end, port_, device_))
    addActivity(toQString(problem->text));
  // A hidden window reads the history afresh when it is opened again.
  if (historyWindow_ && historyWindow_->isVisible()) historyWindow_->refresh();
}

void MainWindow::openHistory() {
  if (!services_.history) return;
  if (historyWindow_) {
    historyWindow_->refresh();  // it was not read while hidden
  } else {
    historyWindow_ = new TraceHistoryWindow(*services_.history, this);  // reads it as it is built
    connect(historyWindow_, &TraceHistoryWindow::traceChosen, this, &MainWindow::showHistoryTrace);
  }
  historyWindow_->show();
  historyWindow_->raise();
  historyWindow_->activateWindow();
}

void MainWindow::showHistoryTrace(const QString& path) {
  const auto tell = [this](const QString& text) {
    services_.questions.ask(historyWindow_, text, toQString(kApplicationTitle), Buttons::Ok, Icon::Information);
  };
  if (path.isEmpty()) return tell("No trace was stored for this upload.");
  if (!QFileInfo(path).isFile()) return tell("The trace file " + path + " is no longer there.");
  // As the maintenance dialog shows a saved trace: drawn, measured, named after its file.
  const TraceRecord trace = showTraceFile(path.toStdString(), *picture_, calibration_);
  const std::string name = QFileInfo(path).fileName().toStdString();
  pictureLabels_.savedTraceShown(trace, name);
  showLabels();
  setShownTrace(ShownTrace{trace, name});
  showWindow();
}

}  // namespace lumora

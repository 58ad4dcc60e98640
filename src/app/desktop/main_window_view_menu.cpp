// The View menu: what the picture shows besides the right eye.
#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include "app/desktop/main_window.h"
#include "view/qt/trace_picture.h"

namespace lumora {

void MainWindow::buildViewMenu() {
  QMenu* view = menuBar()->addMenu("View");
  view->setObjectName("viewMenu");
  const auto addExtra = [this, view](const char* name, const char* caption, bool PictureExtras::*extra) {
    QAction* action = view->addAction(caption);
    action->setObjectName(name);
    action->setCheckable(true);
    connect(action, &QAction::toggled, this, [this, extra](bool on) { setPictureExtra(extra, on); });
  };
  addExtra("otherEyeAction", "Other Eye", &PictureExtras::otherEye);
  addExtra("drillHolesAction", "Drill Holes", &PictureExtras::drillHoles);
}

// Both eyes need a wider picture; the window takes its usual size again without them.
void MainWindow::setPictureExtra(bool PictureExtras::*extra, bool on) {
  pictureExtras_.*extra = on;
  if (extra == &PictureExtras::otherEye) {
    picture_->setFixedSizeMm(on ? kBothEyesPictureWidthMm : kPictureWidthMm, kPictureHeightMm);
    if (!isMaximized()) adjustSize();
  }
  drawShownTrace();
}

void MainWindow::drawShownTrace() {
  if (shown_) drawWithExtras(shown_->trace, *picture_, calibration_, pictureExtras_);
}

}  // namespace lumora

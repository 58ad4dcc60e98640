// The main window's controls and menus.
#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/core/help_texts.h"
#include "app/desktop/main_window.h"
#include "app/qt/help_windows.h"
#include "base/qt/settings_store.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

template <typename Widget, typename... Args>
Widget* named(const char* name, Args&&... args) {
  auto* widget = new Widget(std::forward<Args>(args)...);
  widget->setObjectName(name);
  return widget;
}

}  // namespace

// The icon's menu stays usable while a dialog is open. A second dialog, a setup or a shutdown
// on top of it would replace the link under that dialog, so the open dialog comes to the
// front instead.
QAction* MainWindow::addMenuAction(QMenu* menu, const char* name, const char* caption, std::function<void()> handler) {
  QAction* action = menu->addAction(caption);
  action->setObjectName(name);
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] {
    if (QWidget* open = QApplication::activeModalWidget()) {
      open->raise();
      open->activateWindow();
      return;
    }
    handler();
  });
  return action;
}

void MainWindow::buildFileMenu() {
  fileMenu_ = menuBar()->addMenu("File");
  fileMenu_->setObjectName("fileMenu");
  addMenuAction(fileMenu_, "exitAction", "E&xit (Shutdown)", [this] { onExitChosen(); });
  fileMenu_->addSeparator();
  addMenuAction(fileMenu_, "setupAction", "&Setup", [this] { onSetupChosen(); });
  fileMenu_->addSeparator();
  addMenuAction(fileMenu_, "calibrateScreenAction", "Calibrate Screen", [this] { openCalibration(); });
  fileMenu_->addSeparator();
  addMenuAction(fileMenu_, "traceMaintenanceAction", "&Trace Maintenance", [this] { openMaintenance(); });
  addMenuAction(fileMenu_, "traceHistoryAction", "Trace &History", [this] { openHistory(); });
  fileMenu_->addSeparator();
  printAction_ = addMenuAction(fileMenu_, "printTraceAction", "Print Trace...", [this] {
    if (shown_) printTrace(services_.questions, this, *shown_);
  });
  exportPdfAction_ = addMenuAction(fileMenu_, "exportPdfAction", "Export PDF...", [this] {
    if (shown_) exportTracePdf(services_.questions, this, *shown_, saveFolder_.path());
  });
  fileMenu_->addSeparator();
  addMenuAction(fileMenu_, "openAction", "&Open", [this] { showWindow(); });
  addMenuAction(fileMenu_, "closeAction", "&Close", [this] { hideToTray(); });
}

void MainWindow::buildHelpMenu() {
  QMenu* help = menuBar()->addMenu("Help");
  help->setObjectName("helpMenu");
  Questions& q = services_.questions;
  HelpTexts& texts = services_.texts;
  const auto helpWith = [this, &q, &texts](auto showHelp) {
    return [this, &q, &texts, showHelp] { showHelp(q, texts, this); };
  };
  addMenuAction(help, "programSetupHelpAction", "&Program Setup Help", helpWith(showProgramSetupHelp));
  addMenuAction(help, "tracerSetupHelpAction", "&Tracer Setup Help", helpWith(askTracerInstructions));
  addMenuAction(help, "dailyOperationHelpAction", "&Daily Operation Help", helpWith(showDailyOperation));
  addMenuAction(help, "maintenanceHelpAction", "&Maintenance Help", helpWith(showMaintenance));
  help->addSeparator();
  QMenu* omaData = help->addMenu("&View OMA Data");
  omaData->setObjectName("omaDataMenu");
  addMenuAction(omaData, "rawDataAction", "Oma &Raw Data", [this] { showActivityView(rawDataList_); });
  addMenuAction(omaData, "activityLogAction", "OMA &Log", [this] { showActivityView(activityList_); });
  help->addSeparator();
  addMenuAction(help, "aboutAction", "About Corvane Lumora Trace Server", [this] { onAboutChosen(); });
}

QWidget* MainWindow::buildTraceView() {
  traceView_ = named<QWidget>("traceView", this);
  auto* grid = new QGridLayout(traceView_);
  picture_ = named<TracePicture>("picture", traceView_);
  picture_->setFixedSizeMm(kPictureWidthMm, kPictureHeightMm);
  grid->addWidget(picture_, 0, 0, 9, 1);
  orderLabel_ = named<QLabel>("orderLabel", "Order:", traceView_);
  boxWidthLabel_ = named<QLabel>("boxWidthLabel", "A:", traceView_);
  boxHeightLabel_ = named<QLabel>("boxHeightLabel", "B:", traceView_);
  effectiveDiameterLabel_ = named<QLabel>("effectiveDiameterLabel", "ED:", traceView_);
  circumferenceLabel_ = named<QLabel>("circumferenceLabel", "Cir:", traceView_);
  distanceBetweenLensesLabel_ = named<QLabel>("distanceBetweenLensesLabel", "DBL:", traceView_);
  frameTypeLabel_ = named<QLabel>("frameTypeLabel", "Type:", traceView_);
  nasalSideLabel_ = named<QLabel>("nasalSideLabel", "N", traceView_);
  // Texts that change never resize the window: the labels' column is as wide as its usual
  // numbers (a longer job number is cut, its tip shows it whole) and the status line has room
  // for four lines.
  const int column = fontMetrics().horizontalAdvance(QStringLiteral("Order: 0000000000"));
  int row = 0;
  for (QLabel* label : {orderLabel_, boxWidthLabel_, boxHeightLabel_, effectiveDiameterLabel_, circumferenceLabel_,
                        distanceBetweenLensesLabel_, frameTypeLabel_, nasalSideLabel_}) {
    label->setFixedWidth(column);
    grid->addWidget(label, row++, 1);
  }
  statusLabel_ = named<QLabel>("statusLabel", "Waiting for trace data...", traceView_);
  statusLabel_->setWordWrap(true);
  statusLabel_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
  statusLabel_->setFixedHeight(4 * fontMetrics().lineSpacing());
  grid->addWidget(statusLabel_, 9, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  saveButton_ = named<QPushButton>("saveButton", "&Save", traceView_);
  cancelButton_ = named<QPushButton>("cancelButton", "&Cancel", traceView_);
  closeButton_ = named<QPushButton>("closeButton", "Close", traceView_);
  connect(saveButton_, &QPushButton::clicked, this, &MainWindow::onSaveClicked);
  connect(cancelButton_, &QPushButton::clicked, this, &MainWindow::onCancelClicked);
  connect(closeButton_, &QPushButton::clicked, this, &MainWindow::hideToTray);
  for (QPushButton* button : {saveButton_, cancelButton_, closeButton_}) buttons->addWidget(button);
  grid->addLayout(buttons, 10, 0, 1, 2);
  return traceView_;
}

QWidget* MainWindow::buildActivityViews() {
  auto* views = new QWidget(this);
  auto* layout = new QVBoxLayout(views);
  layout->setContentsMargins(0, 0, 0, 0);
  activityList_ = named<QListWidget>("activityList", views);
  activityList_->setToolTip("Equipment communications activity is shown here.");
  rawDataList_ = named<QListWidget>("rawDataList", views);
  closeListButton_ = named<QPushButton>("closeListButton", "OK", views);
  connect(closeListButton_, &QPushButton::clicked, this, [this] { showActivityView(nullptr); });
  for (QWidget* w : std::initializer_list<QWidget*>{activityList_, rawDataList_, closeListButton_}) {
    layout->addWidget(w);
    w->hide();
  }
  return views;
}

// Shows one of the activity lists in place of the trace view, or (nullptr) the trace view.
// What goes is hidden before what comes is shown: both at once would stretch the window.
void MainWindow::showActivityView(QWidget* list) {
  const std::pair<QWidget*, bool> views[] = {{traceView_, list == nullptr},
                                             {activityList_, list == activityList_},
                                             {rawDataList_, list == rawDataList_},
                                             {closeListButton_, list != nullptr}};
  for (const auto& [view, shown] : views)
    if (!shown) view->hide();
  for (const auto& [view, shown] : views)
    if (shown) view->show();
}

}  // namespace lumora

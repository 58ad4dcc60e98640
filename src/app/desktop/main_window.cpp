#include "app/desktop/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "app/core/help_texts.h"
#include "app/core/shell_texts.h"
#include "app/desktop/tray_icon.h"
#include "app/qt/help_windows.h"
#include "base/core/app_identity.h"
#include "base/core/platform_values.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "base/qt/settings_store.h"
#include "link/qt/link_session.h"
#include "setup/core/port_device.h"
#include "view/core/calibration.h"
#include "view/core/dimension_labels.h"
#include "view/core/window_place.h"
#include "view/qt/calibration_dialog.h"
#include "view/qt/trace_maintenance_dialog.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

QString applicationTitle() { return toQString(kApplicationTitle); }

// What the screen reports, in device pixels and millimetres.
ScreenReport reportOf(const QScreen& screen) {
  const double ratio = screen.devicePixelRatio();
  return {screen.geometry().width() * ratio, screen.geometry().height() * ratio, screen.physicalSize().width(),
          screen.physicalSize().height()};
}

DesktopBox boxOf(const QRect& rect) { return {rect.left(), rect.top(), rect.width(), rect.height()}; }

QRect onDesktop(const QWidget& widget) { return {widget.mapToGlobal(QPoint(0, 0)), widget.size()}; }

}  // namespace

MainWindow::MainWindow(DesktopServices services, QWidget* parent) : QMainWindow(parent), services_(services) {
  setObjectName("mainWindow");
  buildFileMenu();
  buildViewMenu();
  buildHelpMenu();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildTraceView());
  layout->addWidget(buildActivityViews());
  setCentralWidget(central);
  linkStatusLabel_ = new QLabel(this);
  linkStatusLabel_->setObjectName("linkStatusLabel");
  statusBar()->addWidget(linkStatusLabel_);
  trayIcon_ = new TrayIcon(this, fileMenu_, this);
  setShownTrace(std::nullopt);
}

MainWindow::~MainWindow() = default;

bool MainWindow::start() {
  calibration_ = readScreenCalibration(services_.settings.lookup());
  const std::string defaultFolder = defaultSaveFolder();
  QDir().mkpath(toQString(defaultFolder));
  QDir::setCurrent(QApplication::applicationDirPath());  // a relative save folder lies in the program's folder
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  setWindowTitle(toQString(mainWindowCaption(programVersion())));
  setPromptButtonsVisible(false);
  pictureLabels_.cleared();
  showLabels();
  show();
  services_.texts.buildSetupHelp(defaultFolder);
  services_.texts.buildDailyOperation();
  services_.texts.buildMaintenance();
  const bool linked = openPortThroughSetup();
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  if (!linked) return false;
  setStatus(kWaitingForTraceData);
  trayIcon_->add();
  if (services_.settings.readWhole(Setting::BypassNotification) == 0)
    trayIcon_->notify(toQString(listeningNotice(port_, device_, link_->settingsText().toStdString())));
  offerCalibration(reportOf(*screen()));
  return true;
}

void MainWindow::offerCalibration(const ScreenReport& screen) {
  if (services_.settings.readKey(infoOf(Setting::HBias).key) || services_.settings.readKey(infoOf(Setting::VBias).key))
    return;
  const auto problem = trueSizeProblem(screen);
  if (problem && services_.questions.ask(this, toQString(problem->text), applicationTitle(), Buttons::YesNo,
                                         Icon::Question) == Answer::Yes)
    openCalibration();
}

bool MainWindow::openPortThroughSetup() {
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  bool linked = false;
  while (true) {
    const int port = services_.settings.readWhole(Setting::Port);
    const int speed = services_.settings.readWhole(Setting::Speed);
    stopLink();
    if (portNumberUsable(port)) startLink(port, speed);
    const auto problem = portOpenProblem(port, link_ && link_->isOpen());
    if (!problem) {
      linked = true;
      break;
    }
    stopLink();
    if (services_.questions.ask(this, toQString(problem->text), applicationTitle(), Buttons::OkCancel, Icon::None) ==
        Answer::Cancel)
      break;
    services_.runSetupDialog(this, portNumberUsable(port) ? port : 0);
  }
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  return linked;
}

// The save folder comes from the settings each time the link starts, so a folder chosen in
// the setup dialog is in force at once.
void MainWindow::startLink(int port, int speed) {
  saveFolder_.setPath(services_.settings.read(Setting::SavePath));
  QDir().mkpath(toQString(saveFolder_.path()));
  LinkSession::Settings s;
  s.device = toQString(portDevice(port, services_.settings.lookup()));
  s.speed = speed;
  s.portNumber = port;
  s.prompt = services_.settings.read(Setting::Prompt) != "0";
  port_ = port;
  device_ = s.device.toStdString();
  link_ = std::make_unique<LinkSession>(s, saveFolder_);
  connectLink();
  link_->open();
  showLinkStatus();
}

// Closes the port. An upload waiting for the operator ends with the link, so its buttons go:
// a name chosen afterwards would reach no upload and be stored nowhere.
void MainWindow::stopLink() {
  link_.reset();
  setPromptButtonsVisible(false);
  setPortLost(false);
  showLinkStatus();
}

void MainWindow::setStatus(const QString& text) {
  if (portLost_) statusBeforeLoss_ = text;
  else statusLabel_->setText(text);
}

// The status line and the icon's tip show the loss in place of what they showed, which
// comes back when the port does.
void MainWindow::setPortLost(bool lost) {
  if (lost == portLost_) return;
  if (lost) statusBeforeLoss_ = statusLabel_->text();
  portLost_ = lost;
  statusLabel_->setText(lost ? toQString(portLostStatus(port_, device_)) : statusBeforeLoss_);
  trayIcon_->setToolTip(lost ? toQString(portLostTip(port_, device_)) : QString(kTrayIconTip));
  trayIcon_->setLook(lost ? IconLook::PortLost : IconLook::Normal);
  trayIcon_->notify(toQString(lost ? portLostStatus(port_, device_) : portBackNotice(port_, device_)));
  showLinkStatus();
}

void MainWindow::showLinkStatus() {
  linkStatusLabel_->setText(link_ ? toQString(linkStatusText(port_, device_, link_->settingsText().toStdString(),
                                                             link_->phase(), link_->currentJob(), portLost_))
                                  : QString());
}

void MainWindow::showLabels() {
  const TraceLabels& shown = pictureLabels_.labels();
  const std::pair<QLabel*, const std::string*> labels[] = {
      {orderLabel_, &shown.order},
      {boxWidthLabel_, &shown.boxWidth},
      {boxHeightLabel_, &shown.boxHeight},
      {effectiveDiameterLabel_, &shown.effectiveDiameter},
      {circumferenceLabel_, &shown.circumference},
      {distanceBetweenLensesLabel_, &shown.distanceBetweenLenses},
      {frameTypeLabel_, &shown.frameType}};
  for (const auto& [label, text] : labels) {
    label->setText(toQString(*text));
    label->setToolTip(label->text());  // whole, where the column cuts it
  }
}

// "&Save" and "&Cancel" show only while an upload waits for the operator.
void MainWindow::setPromptButtonsVisible(bool visible) {
  saveButton_->setVisible(visible);
  cancelButton_->setVisible(visible);
}

void MainWindow::addActivity(const QString& line) {
  activityList_->addItem(line);
  // The program runs for years and a noisy line adds a line per stray byte: only the newest
  // lines are kept, so memory stays bounded.
  if (activityList_->count() > kActivityLinesKept) delete activityList_->takeItem(0);
  activityList_->setCurrentRow(activityList_->count() - 1);
}

void MainWindow::connectLink() {
  LinkSession* link = link_.get();
  connect(link, &LinkSession::activityAdded, this, &MainWindow::addActivity);
  connect(link, &LinkSession::uploadEnded, this, &MainWindow::recordUpload);
  connect(link, &LinkSession::phaseChanged, this, &MainWindow::showLinkStatus);
  connect(link, &LinkSession::rawDataCleared, rawDataList_, &QListWidget::clear);
  connect(link, &LinkSession::rawDataAdded, this, [this](const QString& line) { rawDataList_->addItem(line); });
  connect(link, &LinkSession::rawDataReplaced, this, [this](int index, const QString& line) {
    if (QListWidgetItem* item = rawDataList_->item(index)) item->setText(line);
  });
  connect(link, &LinkSession::orderLabelChanged, this, [this](const QString& text) {
    pictureLabels_.linkOrderChanged(text.toStdString());
    showLabels();
  });
  connect(link, &LinkSession::statusLabelChanged, this, &MainWindow::setStatus);
  connect(link, &LinkSession::portLost, this, [this] { setPortLost(true); });
  connect(link, &LinkSession::portReopened, this, [this] { setPortLost(false); });
  // An upload ends with a status line, an activity line or the prompt's end; a setup waiting
  // for it runs from the event loop, once the link's own call is over.
  for (auto signal : {&LinkSession::statusLabelChanged, &LinkSession::activityAdded})
    connect(link, signal, this, &MainWindow::runWaitingSetup, Qt::QueuedConnection);
  connect(link, &LinkSession::promptEnded, this, &MainWindow::runWaitingSetup, Qt::QueuedConnection);
  // The message waits for the operator from the event loop, not inside the link's own call:
  // "&Setup" from the icon's menu may replace the link meanwhile.
  connect(
      link, &LinkSession::brandMessageRequested, this,
      [this, link = QPointer<LinkSession>(link)](const QString& text) {
        services_.questions.ask(this, text, applicationTitle(), Buttons::Ok, Icon::Warning);
        if (link) link->brandMessageClosed();
      },
      Qt::QueuedConnection);
  connect(link, &LinkSession::showTraceRequested, this,
          [this](const QString&, const QByteArray& path) { showStoredTrace(path.toStdString()); });
  connect(link, &LinkSession::saveEnabled, this, [this] { saveButton_->setEnabled(true); });
  connect(link, &LinkSession::promptRequested, this, [this] {
    showWindow();
    setPromptButtonsVisible(true);
  });
  connect(link, &LinkSession::promptEnded, this, [this] { setPromptButtonsVisible(false); });
}

void MainWindow::showStoredTrace(const std::string& path) {
  TraceRecord trace = showTraceFile(path, *picture_, calibration_);
  pictureLabels_.linkTraceShown(trace);
  showLabels();
  const std::string job = trace.labelText("JOB=");
  trayIcon_->notify(toQString(traceStoredNotice(job)));
  setShownTrace(ShownTrace{std::move(trace), job});
}

void MainWindow::setShownTrace(std::optional<ShownTrace> shown) {
  if (shown && !shown->trace.hasOutline(Side::Right)) shown.reset();
  shown_ = std::move(shown);
  printAction_->setEnabled(shown_.has_value());
  exportPdfAction_->setEnabled(shown_.has_value());
  if (pictureExtras_.otherEye || pictureExtras_.drillHoles) drawShownTrace();
}

void MainWindow::onSaveClicked() {
  const auto path = services_.questions.saveFileName(this, kSaveDialogTitle, toQString(saveFolder_.path()), "*.*");
  if (!path) return;
  const QFileInfo chosen(*path);
  // The link decides whether the folder becomes the save folder (for the rest of the run
  // only) and says so.
  const QString folder = QDir::toNativeSeparators(chosen.absolutePath());  // as the user writes it
  if (link_) link_->operatorChoseName(folder, chosen.fileName());
  else saveFolder_.setPath(folder.toStdString());
}

void MainWindow::onCancelClicked() {
  if (link_) link_->operatorCancelled();
  picture_->clearPicture();
  pictureLabels_.cleared();
  showLabels();
  setShownTrace(std::nullopt);
  setStatus(kTraceCancelled);
}

void MainWindow::onExitChosen() {
  if (services_.questions.ask(this, kShutdownQuestion, kShutdownTitle, Buttons::YesNoCancel, Icon::Question) ==
      Answer::Yes)
    shutdown();
}

void MainWindow::shutdown() {
  shuttingDown_ = true;
  stopLink();
  trayIcon_->remove();
  close();
  QApplication::quit();
}

// Setup closes the port: an upload under way would get no answer and its trace would be lost.
void MainWindow::onSetupChosen() {
  if (link_ && link_->uploadInProgress() &&
      services_.questions.ask(this, kSetupDuringUpload, applicationTitle(), Buttons::YesNo, Icon::Question) ==
          Answer::Yes) {
    setupWaiting_ = true;
    return;
  }
  runSetup();
}

void MainWindow::runSetup() {
  setupWaiting_ = false;
  const int portNotOpen = portLost_ ? port_ : 0;
  stopLink();
  services_.runSetupDialog(this, portNotOpen);
  if (!openPortThroughSetup()) shutdown();
}

void MainWindow::runWaitingSetup() {
  if (setupWaiting_ && link_ && !link_->uploadInProgress() && !QApplication::activeModalWidget()) runSetup();
}

void MainWindow::openCalibration() { CalibrationDialog(services_.settings, calibration_, this).exec(); }

// The dialog opens clear of the picture it draws on and of its labels, or where the screen
// has no room for that, clear of the picture alone.
void MainWindow::openMaintenance() {
  TraceMaintenanceDialog dialog(
      services_.questions, saveFolder_.path(), *picture_, calibration_,
      [this](const TraceRecord& trace, const std::string& name) {
        pictureLabels_.savedTraceShown(trace, name);
        showLabels();
        setShownTrace(ShownTrace{trace, name});
      },
      this);
  const QRect picture = onDesktop(*picture_);
  const QRect labels = onDesktop(*orderLabel_).united(onDesktop(*nasalSideLabel_));
  const DesktopBox screenArea = boxOf(screen()->availableGeometry());
  for (const QRect& keepClear : {picture.united(labels), picture}) {
    if (const auto place = placeClearOf(boxOf(keepClear), dialog.width(), dialog.height(), screenArea)) {
      dialog.move(place->left, place->top);
      break;
    }
  }
  dialog.exec();
}

void MainWindow::onAboutChosen() {
  const auto port = static_cast<std::int16_t>(services_.settings.readWhole(Setting::Port));
  showAboutBox(services_.questions, this, port, link_ ? link_->settingsText() : QString(),
               toQString(saveFolder_.path()));
}

void MainWindow::showWindow() {
  showNormal();
  raise();
  activateWindow();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (shuttingDown_) {
    event->accept();
    return;
  }
  event->ignore();
  hideToTray();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && traceView_->isHidden()) {
    showActivityView(nullptr);
    return;
  }
  QMainWindow::keyPressEvent(event);
}

void MainWindow::hideToTray() {
  if (trayIcon_->shown() && trayAvailable()) hide();
  else showMinimized();  // no notification area to come back from
}

}  // namespace lumora

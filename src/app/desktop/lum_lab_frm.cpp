#include "app/desktop/lum_lab_frm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/core/app_identity.h"
#include "app/core/help_texts.h"
#include "app/core/shell_texts.h"
#include "app/desktop/notify_icon.h"
#include "app/qt/help_windows.h"
#include "base/qt/qt_text.h"
#include "base/qt/questions.h"
#include "link/qt/link_session.h"
#include "setup/core/port_device.h"
#include "base/qt/settings_store.h"
#include "base/core/file_read.h"
#include "base/core/shared_values.h"
#include "trace/core/trace_record.h"
#include "view/core/calibration.h"
#include "view/core/dimension_labels.h"
#include "view/qt/frm_calibrate.h"
#include "view/qt/trace_display.h"
#include "view/qt/trace_pic.h"

namespace lumora {
namespace {

QString applicationTitle() { return toQString(kApplicationTitle); }

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  return label;
}

// The trace view's picture: a frame of 100 x 80 mm at the screen's true size.
constexpr double kPictureWidthMm = 100, kPictureHeightMm = 80;

}  // namespace

LumLabfrm::LumLabfrm(DesktopServices services, QWidget* parent)
    : QMainWindow(parent), services_(services) {
  setObjectName("LumLabfrm");
  setWindowIcon(NotifyIcon::programIcon());
  buildMenus();
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->addWidget(buildTraceView());
  layout->addWidget(buildActivityViews());
  setCentralWidget(central);
  icon_ = new NotifyIcon(this, Filemnu, this);
  connect(&saveFolder_, &SaveFolder::changed, this, [this] { Shared().SavePath = saveFolder_.path(); });
}

LumLabfrm::~LumLabfrm() = default;

// The icon's menu stays usable while a dialog is open. A second dialog, a setup or a shutdown
// on top of it would replace the link under that dialog, so the open dialog comes to the
// front instead.
void LumLabfrm::addMenuAction(QMenu* menu, const char* name, const char* caption, std::function<void()> handler) {
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
}

void LumLabfrm::buildMenus() {
  buildFileMenu();
  buildHelpMenu();
}

void LumLabfrm::buildFileMenu() {
  Filemnu = menuBar()->addMenu("File");
  Filemnu->setObjectName("Filemnu");
  addMenuAction(Filemnu, "Exitmnu", "E&xit (Shutdown)", [this] { Exitmnu_Click(); });
  Filemnu->addSeparator();
  addMenuAction(Filemnu, "InterfaceSetupmnu", "&Setup", [this] { runSetup(); });
  Filemnu->addSeparator();
  addMenuAction(Filemnu, "mnuCalibrateScreen", "Calibrate Screen",
                [this] { frmCalibrate(services_.settings, this).exec(); });
  Filemnu->addSeparator();
  addMenuAction(Filemnu, "TraceListmnu", "&Trace Maintenance",
                [this] { TraceDisplay(services_.questions, TracePic_, this).exec(); });
  Filemnu->addSeparator();
  addMenuAction(Filemnu, "OpenMnu", "&Open", [this] { showWindow(); });
  addMenuAction(Filemnu, "CloseMnu", "&Close", [this] { hideToTray(); });
}

void LumLabfrm::buildHelpMenu() {
  QMenu* help = menuBar()->addMenu("Help");
  help->setObjectName("Helpmnu");
  Questions& q = services_.questions;
  HelpTexts& texts = services_.texts;
  const auto helpWith = [this, &q, &texts](auto showHelp) {
    return [this, &q, &texts, showHelp] { showHelp(q, texts, this); };
  };
  addMenuAction(help, "SetupHelpmnu", "&Program Setup Help", helpWith(showProgramSetupHelp));
  addMenuAction(help, "TraceSetupmnu", "&Tracer Setup Help", helpWith(askTracerInstructions));
  addMenuAction(help, "DailyOperationmnu", "&Daily Operation Help", helpWith(showDailyOperation));
  addMenuAction(help, "Maintenancemnu", "&Maintenance Help", helpWith(showMaintenance));
  help->addSeparator();
  QMenu* oma = help->addMenu("&View OMA Data");
  oma->setObjectName("Omamnu");
  addMenuAction(oma, "ViewOMADatamnu", "Oma &Raw Data", [this] { showActivityView(List2); });
  addMenuAction(oma, "ViewEventLogmnu", "OMA &Log", [this] { showActivityView(List1); });
  help->addSeparator();
  addMenuAction(help, "Aboutmnu", "About Corvane Lumora Trace Server", [this, &q] {
    const auto port = static_cast<std::int16_t>(services_.settings.readWhole(Setting::Port));
    showAboutBox(q, this, port, link_ ? link_->settingsText() : QString(), toQString(Shared().SavePath));
  });
}

QWidget* LumLabfrm::buildTraceView() {
  Frame1 = new QWidget(this);
  Frame1->setObjectName("Frame1");
  auto* grid = new QGridLayout(Frame1);
  TracePic_ = new TracePic(Frame1);
  TracePic_->setObjectName("TracePic");
  TracePic_->setFixedSizeMm(kPictureWidthMm, kPictureHeightMm);
  grid->addWidget(TracePic_, 0, 0, 9, 1);
  TraceLabel = namedLabel("TraceLabel", "Order:", Frame1);
  CircumLbl = namedLabel("CircumLbl", "Cir:", Frame1);
  FrameEDlbl = namedLabel("FrameEDlbl", "ED:", Frame1);
  FrameBlbl = namedLabel("FrameBlbl", "B:", Frame1);
  FrameAlbl = namedLabel("FrameAlbl", "A:", Frame1);
  NasalRightLbl = namedLabel("NasalRightLbl", "N", Frame1);
  FrameDBLlbl = namedLabel("FrameDBLlbl", "DBL:", Frame1);
  FrameTypelbl = namedLabel("FrameTypelbl", "Type:", Frame1);
  int row = 0;
  for (QLabel* label : {TraceLabel, FrameAlbl, FrameBlbl, FrameEDlbl, CircumLbl, FrameDBLlbl, FrameTypelbl, NasalRightLbl})
    grid->addWidget(label, row++, 1);
  Helplbl = namedLabel("Helplbl", "Waiting for trace data...", Frame1);
  Helplbl->setWordWrap(true);
  grid->addWidget(Helplbl, 9, 0, 1, 2);
  auto* buttons = new QHBoxLayout;
  const char* captions[] = {"&Save", "&Cancel", "Close"};
  for (int i = 0; i < 3; ++i) {
    Command1[static_cast<std::size_t>(i)] = new QPushButton(captions[i], Frame1);
    Command1[static_cast<std::size_t>(i)]->setObjectName(QString("Command1_%1").arg(i));
    connect(Command1[static_cast<std::size_t>(i)], &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    buttons->addWidget(Command1[static_cast<std::size_t>(i)]);
  }
  grid->addLayout(buttons, 10, 0, 1, 2);
  return Frame1;
}

QWidget* LumLabfrm::buildActivityViews() {
  auto* views = new QWidget(this);
  auto* layout = new QVBoxLayout(views);
  layout->setContentsMargins(0, 0, 0, 0);
  List1 = new QListWidget(views);
  List1->setObjectName("List1");
  List1->setToolTip("Equipment communications activity is shown here.");
  List2 = new QListWidget(views);
  List2->setObjectName("List2");
  Command2 = new QPushButton("OK", views);
  Command2->setObjectName("Command2");
  connect(Command2, &QPushButton::clicked, this, [this] { showActivityView(nullptr); });
  for (QWidget* w : {static_cast<QWidget*>(List1), static_cast<QWidget*>(List2), static_cast<QWidget*>(Command2)}) {
    layout->addWidget(w);
    w->hide();
  }
  return views;
}

// Shows one of the activity lists in place of the trace view, or (nullptr) the trace view.
void LumLabfrm::showActivityView(QWidget* list) {
  Frame1->setVisible(list == nullptr);
  List1->setVisible(list == List1);
  List2->setVisible(list == List2);
  Command2->setVisible(list != nullptr);
}

bool LumLabfrm::Form_Load() {
  LoadBiasSettings(services_.settings.lookup());
  QDir().mkpath(toQString(Shared().DefaultSavePath));
  Shared().ProgramFolder = QApplication::applicationDirPath().toStdString();
  QDir::setCurrent(QApplication::applicationDirPath());
  setEnabled(false);
  QApplication::setOverrideCursor(Qt::WaitCursor);
  setWindowTitle(toQString(mainWindowCaption(programVersion())));
  setPromptButtonsVisible(false);
  for (QLabel* label : {TraceLabel, CircumLbl, FrameAlbl, FrameBlbl, FrameEDlbl, FrameDBLlbl, FrameTypelbl})
    label->clear();
  show();
  services_.texts.buildSetupHelp(Shared().DefaultSavePath);
  services_.texts.buildDailyOperation();
  services_.texts.buildMaintenance();
  const bool linked = SetComPorts();
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  if (!linked) return false;
  Helplbl->setText(kWaitingForTraceData);
  icon_->add();
  return true;
}

bool LumLabfrm::SetComPorts() {
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
    services_.runSetupDialog(this);
  }
  QApplication::restoreOverrideCursor();
  setEnabled(true);
  return linked;
}

// The save folder comes from the settings each time the link starts, so a folder chosen in
// the setup dialog is in force at once.
void LumLabfrm::startLink(int port, int speed) {
  saveFolder_.setPath(services_.settings.read(Setting::SavePath));
  Shared().SavePath = saveFolder_.path();  // the setup dialog writes the shared copy too
  QDir().mkpath(toQString(saveFolder_.path()));
  LinkSession::Settings s;
  s.device = toQString(portDevice(port, services_.settings.lookup()));
  s.speed = speed;
  s.portNumber = port;
  s.prompt = services_.settings.read(Setting::Prompt) != "0";
  link_ = std::make_unique<LinkSession>(s, saveFolder_);
  connectLink();
  link_->open();
}

// Closes the port. An upload waiting for the operator ends with the link, so its buttons go:
// a name chosen afterwards would reach no upload and be stored nowhere.
void LumLabfrm::stopLink() {
  link_.reset();
  setPromptButtonsVisible(false);
}

// "&Save" and "&Cancel" show only while an upload waits for the operator.
void LumLabfrm::setPromptButtonsVisible(bool visible) {
  Command1[0]->setVisible(visible);
  Command1[1]->setVisible(visible);
}

void LumLabfrm::connectLink() {
  LinkSession* link = link_.get();
  connect(link, &LinkSession::activityAdded, this, [this](const QString& line) {
    List1->addItem(line);
    // The program runs for years and a noisy line adds a line per stray byte: only the newest
    // lines are kept, so memory stays bounded.
    if (List1->count() > kActivityLinesKept) delete List1->takeItem(0);
    List1->setCurrentRow(List1->count() - 1);
  });
  connect(link, &LinkSession::rawDataCleared, List2, &QListWidget::clear);
  connect(link, &LinkSession::rawDataAdded, this, [this](const QString& line) { List2->addItem(line); });
  connect(link, &LinkSession::rawDataReplaced, this, [this](int index, const QString& line) {
    if (QListWidgetItem* item = List2->item(index)) item->setText(line);
  });
  connect(link, &LinkSession::orderLabelChanged, TraceLabel, &QLabel::setText);
  connect(link, &LinkSession::statusLabelChanged, Helplbl, &QLabel::setText);
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
          [this](const QString&, const QByteArray& path) { ShowStoredTrace(path.toStdString()); });
  connect(link, &LinkSession::saveEnabled, this, [this] { Command1[0]->setEnabled(true); });
  connect(link, &LinkSession::promptRequested, this, [this] {
    showWindow();
    setPromptButtonsVisible(true);
  });
  connect(link, &LinkSession::promptEnded, this, [this] {
    setPromptButtonsVisible(false);
  });
}

void LumLabfrm::ShowStoredTrace(const std::string& path) {
  TraceRecord trace;
  trace.process(readFileText(path));
  for (Side side : kBothSides)
    if (!trace.hasOutline(side)) QApplication::beep();
  trace.draw(*TracePic_, Side::Right, {Shared().HBias, Shared().VBias});
  const TraceLabels labels = MainWindowLabels(trace);
  FrameAlbl->setText(toQString(labels.A));
  FrameBlbl->setText(toQString(labels.B));
  FrameEDlbl->setText(toQString(labels.ED));
  CircumLbl->setText(toQString(labels.Cir));
  FrameDBLlbl->setText(toQString(labels.DBL));
  FrameTypelbl->setText(toQString(labels.Type));
}

void LumLabfrm::Command1_Click(int index) {
  if (index == 0) {
    const auto path = services_.questions.saveFileName(this, kSaveDialogTitle, toQString(Shared().SavePath), "*.*");
    if (!path) return;
    const QFileInfo chosen(*path);
    Shared().JobNumberText = chosen.fileName().toStdString();
    Shared().PromptAnswer = 1;
    // The link decides whether the folder becomes the save folder (for the rest of the run
    // only) and says so.
    const QString folder = QDir::toNativeSeparators(chosen.absolutePath());  // as the user writes it
    if (link_) link_->operatorChoseName(folder, chosen.fileName());
    else saveFolder_.setPath(folder.toStdString());
  } else if (index == 1) {
    Shared().PromptAnswer = 2;
    if (link_) link_->operatorCancelled();
    TracePic_->clearPicture();
    Helplbl->setText(kTraceCancelled);
  } else {
    hideToTray();
  }
}

void LumLabfrm::Exitmnu_Click() {
  if (services_.questions.ask(this, kShutdownQuestion, kShutdownTitle, Buttons::YesNoCancel, Icon::Question) ==
      Answer::Yes)
    shutdown();
}

void LumLabfrm::shutdown() {
  shuttingDown_ = true;
  stopLink();
  icon_->remove();
  close();
  QApplication::quit();
}

void LumLabfrm::runSetup() {
  stopLink();
  services_.runSetupDialog(this);
  if (!SetComPorts()) shutdown();
}

void LumLabfrm::showWindow() {
  showNormal();
  raise();
  activateWindow();
}

void LumLabfrm::closeEvent(QCloseEvent* event) {
  if (shuttingDown_) {
    event->accept();
    return;
  }
  event->ignore();
  hideToTray();
}

void LumLabfrm::hideToTray() {
  if (icon_->shown() && NotifyIcon::available()) hide();
  else showMinimized();  // no notification area to come back from
}

}  // namespace lumora

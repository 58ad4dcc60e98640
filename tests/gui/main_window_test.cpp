// The main window under the offscreen platform, with settings in a temporary store, the
// questions answered by a script and a tracer simulator on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <memory>

#include "app/core/help_texts.h"
#include "app/core/shell_texts.h"
#include "app/desktop/desktop_app.h"
#include "app/desktop/main_window.h"
#include "app/desktop/single_instance.h"
#include "app/desktop/tray_icon.h"
#include "base/qt/settings_store.h"
#include "child_process.h"
#include "drawn_extent.h"
#include "e2e_paths.h"
#include "link/qt/link_session.h"
#include "modal.h"
#include "pty_pair.h"
#include "scripted_questions.h"
#include "temp_settings.h"
#include "trace_packets.h"
#include "view/core/dimension_labels.h"
#include "view/core/trace_folder.h"
#include "view/qt/trace_maintenance_dialog.h"
#include "view/qt/trace_picture.h"

namespace lumora::testing {
namespace {

namespace fs = std::filesystem;
constexpr int kLimitMs = 30000;  // generous: the machine may be loaded; nothing here is timed

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(saves_);
    settings_.write(Setting::SavePath, saves_.string());
  }
  void TearDown() override { EXPECT_EQ(questions_.mistakes(), 0); }

  // Port 1 is the pseudo-terminal.
  void configurePort() {
    settings_.write(Setting::Port, 1);
    settings_.writeKey("Device1", pty_.slavePath());
  }
  MainWindow& window() {
    const auto setup = [this](QWidget*, int portNotOpen) {
      ++setupRuns_;
      setupPortNotOpen_ = portNotOpen;
      configurePort();
    };
    if (!window_) window_ = std::make_unique<MainWindow>(DesktopServices{questions_, settings_, texts_, setup});
    return *window_;
  }
  void startLinked() {
    configurePort();
    ASSERT_TRUE(window().start());
  }

  // Plays the tracer with `simArgs` and `sample_` while the window's event loop runs; the
  // simulator's exit code.
  int upload(std::vector<std::string> simArgs = {}) {
    simArgs.insert(simArgs.begin(), {Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master())});
    simArgs.push_back(sample_);
    ChildProcess sim(simArgs, {}, {pty_.master()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return sim.waitForExit(0).has_value(); }, kLimitMs)) << sim.output();
    return sim.waitForExit(0).value_or(-1);
  }
  // With the prompt on, uploads the sample; the prompt then waits for the operator.
  void uploadPrompted() {
    EXPECT_EQ(upload(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button("saveButton")->isVisible(); }, kLimitMs));
    EXPECT_TRUE(button("cancelButton")->isVisible());
  }

  QPushButton* button(const char* name) { return window().findChild<QPushButton*>(name); }
  QString label(const char* name) { return window().findChild<QLabel*>(name)->text(); }
  void trigger(const char* action) { window().findChild<QAction*>(action)->trigger(); }
  // The save folder in use, as the about box shows it.
  QString aboutSavePath() {
    questions_.replyMessage(Answer::Ok);
    trigger("aboutAction");
    return questions_.asked().back().text.section("Save Path: ", 1);
  }

  TempSettings store_;
  SettingsStore settings_;
  ScriptedQuestions questions_;
  HelpTexts texts_;
  TempFolder temp_;
  fs::path saves_ = temp_.dir() / "traces";
  PtyPair pty_;
  int setupRuns_ = 0;
  int setupPortNotOpen_ = -1;  // as the last setup was told
  std::unique_ptr<MainWindow> window_;
  const std::string sample_ = std::string(LUMORA_SAMPLES) + "/1001";
};

// Without a port the user is asked, then the setup dialog runs; a port that does not open is
// reported and set up again; Cancel ends the program before the icon exists.
TEST_F(MainWindowTest, APortMissingOrNotOpeningIsAskedAboutThenSetUp) {
  questions_.replyMessage(Answer::Ok);
  ASSERT_TRUE(window().start());
  EXPECT_EQ(questions_.asked()[0].text.toStdString(), kNoComPort);
  EXPECT_EQ(setupRuns_, 1);
  EXPECT_TRUE(window().link()->isOpen());
  EXPECT_EQ(label("statusLabel").toStdString(), kWaitingForTraceData);

  settings_.writeKey("Device1", (temp_.dir() / "no-such-device").string());
  window_.reset();
  questions_.replyMessage(Answer::Cancel);
  EXPECT_FALSE(window().start());
  EXPECT_EQ(questions_.asked()[1].text.toStdString(), kComPortNotOpened);
  EXPECT_EQ(setupRuns_, 1);
  EXPECT_EQ(window().link(), nullptr);
  EXPECT_FALSE(window().trayIcon().shown());
}

// The close box, "Close" and "&Close" hide the window, or without a notification area
// (offscreen) minimise it: mended fault, the window used to vanish with no way back. Traces
// still arrive; only "E&xit (Shutdown)" ends the link, and asks first.
TEST_F(MainWindowTest, AClosedWindowStillReceivesStoresAndDrawsTracesUntilShutdown) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  ASSERT_FALSE(trayAvailable());
  for (const auto& hide : std::initializer_list<std::function<void()>>{
           [&] { window().close(); }, [&] { button("closeButton")->click(); }, [&] { trigger("closeAction"); }}) {
    window().showNormal();
    hide();
    EXPECT_TRUE(window().isMinimized());
  }
  EXPECT_EQ(upload(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return label("orderLabel") == "Order: 1001"; }, kLimitMs));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(sample_));
  EXPECT_EQ(label("boxWidthLabel"), "A: 52.77");
  EXPECT_TRUE(window().isMinimized());
  // Mended fault: a job number that is not UTF-8 was stored, then looked for under its UTF-8
  // spelling, and an empty trace was shown.
  window().picture().clearPicture();
  EXPECT_EQ(upload({"--job", "Caf\xE9"}), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(saves_ / "Caf\xE9"); }, kLimitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window().picture().drawing().lines().empty(); }, kLimitMs));
  // The wrong-brand message waits from the event loop; closing it sends the refusal.
  questions_.replyMessage(Answer::Ok);
  EXPECT_EQ(upload({"--vendor", "OTHERCO", "--job", "7"}), 1);
  EXPECT_EQ(questions_.asked().back().icon, Icon::Warning);
  EXPECT_FALSE(fs::exists(saves_ / "7"));

  questions_.replyMessage(Answer::No);
  trigger("exitAction");
  EXPECT_TRUE(window().link()->isOpen());
  questions_.replyMessage(Answer::Yes);
  trigger("exitAction");
  EXPECT_EQ(questions_.asked().back().text, kShutdownQuestion);
  EXPECT_EQ(window().link(), nullptr);
}

// Mended fault: the activity list grew for as long as the program ran (years; faster on a
// noisy line). It keeps the newest lines, the last one selected.
TEST_F(MainWindowTest, TheActivityListKeepsTheNewestLines) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  constexpr int kKept = MainWindow::kActivityLinesKept, kAdded = kKept + 5;
  for (int i = 1; i <= kAdded; ++i) emit window().link()->activityAdded(QString::number(i));
  const auto* list = window().findChild<QListWidget*>("activityList");
  ASSERT_EQ(list->count(), kKept);
  EXPECT_EQ(list->item(0)->text(), QString::number(kAdded - kKept + 1));
  EXPECT_EQ(list->currentItem()->text(), QString::number(kAdded));
}

// With the prompt on, the trace is first stored under the tracer's job number; Cancel keeps
// only that file; a new name in another folder moves the save folder for this run only; a
// name in a folder that does not exist is stored nowhere and moves nothing.
TEST_F(MainWindowTest, ThePromptCancelsOrSavesUnderANewNameForThisRunOnlyUntilSetupEndsIt) {
  settings_.write(Setting::Prompt, "1");
  ASSERT_NO_FATAL_FAILURE(startLinked());
  ASSERT_NO_FATAL_FAILURE(uploadPrompted());
  button("cancelButton")->click();
  EXPECT_EQ(label("statusLabel").toStdString(), kTraceCancelled);
  ASSERT_TRUE(QTest::qWaitFor([&] { return button("cancelButton")->isHidden(); }, kLimitMs));
  EXPECT_EQ(listTraceFiles(saves_.string()), std::vector<std::string>{"1001"});

  const fs::path other = temp_.dir() / "other";
  fs::create_directories(other);
  questions_.replySaveFile(QString::fromStdString((other / "NEW-1001").string()));
  ASSERT_NO_FATAL_FAILURE(uploadPrompted());
  button("saveButton")->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(other / "NEW-1001"); }, kLimitMs));
  EXPECT_NE(ReadBytes(other / "NEW-1001").find("JOB=NEW-1001"), std::string::npos);
  EXPECT_EQ(settings_.read(Setting::SavePath), saves_.string());

  questions_.replySaveFile(QString::fromStdString((temp_.dir() / "missing" / "X").string()));
  ASSERT_NO_FATAL_FAILURE(uploadPrompted());
  button("saveButton")->click();
  ASSERT_TRUE(QTest::qWaitFor([&] { return !button("saveButton")->isVisible(); }, kLimitMs));
  EXPECT_EQ(questions_.asked().back().preset.toStdString(), other.string());  // the save dialog starts there
  EXPECT_EQ(aboutSavePath().toStdString(), other.string());
  EXPECT_FALSE(fs::exists(temp_.dir() / "missing"));

  // Mended fault: "&Setup" while the prompt waited replaced the link but left "&Save" and
  // "&Cancel" showing, and a name chosen then was stored nowhere.
  ASSERT_NO_FATAL_FAILURE(uploadPrompted());
  questions_.replyMessage(Answer::No);  // open the setup now, not once the prompt is answered
  trigger("setupAction");
  EXPECT_EQ(questions_.asked().back().text.toStdString(), kSetupDuringUpload);
  EXPECT_TRUE(button("saveButton")->isHidden());
  EXPECT_TRUE(button("cancelButton")->isHidden());
  EXPECT_TRUE(window().link()->isOpen());
}

// Mended fault: the icon's menu works while a dialog is open, and "&Setup" or "E&xit" there
// replaced or closed the link under that dialog (a name typed in the save dialog then went
// to another trace). The open dialog comes first now.
TEST_F(MainWindowTest, TheMenuWaitsWhileADialogIsOpen) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  LinkSession* const link = window().link();
  QDialog dialog(&window());
  QTimer::singleShot(0, [&] {
    trigger("setupAction");
    trigger("exitAction");
    dialog.reject();
  });
  dialog.exec();
  EXPECT_EQ(setupRuns_, 0);
  EXPECT_EQ(window().link(), link);
  EXPECT_TRUE(questions_.asked().empty());  // no shutdown question
}

// Drawing uses the calibration read at start-up, and each press in its dialog at once; the
// close box stores nothing. The maintenance dialog lists the window's save folder.
TEST_F(MainWindowTest, TheDialogsShareTheSaveFolderAndTheCalibrationInUse) {
  settings_.write(Setting::HBias, "1.5");
  fs::copy_file(sample_, saves_ / "1001");
  ASSERT_NO_FATAL_FAILURE(startLinked());
  MillimetreSurface plain(100, 80);
  processed(ReadBytes(sample_)).draw(plain, Side::Right, {});
  window().showStoredTrace(sample_);
  EXPECT_NEAR(extentOf(window().picture().drawing(), kTraceOutline).width(), 1.5 * extentOf(plain, kTraceOutline).width(), 1e-9);
  OnNextModal([](QWidget* modal) {
    modal->findChild<QPushButton*>("increaseHorizontalButton")->click();
    modal->close();
  });
  trigger("calibrateScreenAction");
  window().picture().clearPicture();
  OnNextModal([](QWidget* modal) {
    auto* list = modal->findChild<QListView*>("traceList");
    list->selectionModel()->select(list->model()->index(0, 0), QItemSelectionModel::Select);
    qobject_cast<TraceMaintenanceDialog*>(modal)->onTraceClicked();
    modal->close();
  });
  trigger("traceMaintenanceAction");
  EXPECT_NEAR(extentOf(window().picture().drawing(), kTraceOutline).width(), 1.505 * extentOf(plain, kTraceOutline).width(), 1e-9);
  EXPECT_EQ(settings_.read(Setting::HBias), "1.5");
}

// Mended fault: the order and dimension labels kept the numbers of a cancelled trace, and a
// trace the maintenance dialog drew showed beside the numbers of another. The labels describe
// the outline shown (arrow keys in the list redraw as a click does), and nothing when there is
// none; the dialog opens clear of the picture.
TEST_F(MainWindowTest, TheLabelsDescribeTheOutlineShown) {
  settings_.write(Setting::Prompt, "1");
  fs::copy_file(std::string(LUMORA_SAMPLES) + "/1003", saves_ / "1003");
  ASSERT_NO_FATAL_FAILURE(startLinked());
  ASSERT_NO_FATAL_FAILURE(uploadPrompted());
  EXPECT_EQ(label("orderLabel"), "Order: 1001");
  EXPECT_EQ(label("boxWidthLabel"), "A: 52.77");
  button("cancelButton")->click();
  for (const char* name : {"orderLabel", "boxWidthLabel", "boxHeightLabel", "effectiveDiameterLabel",
                           "circumferenceLabel", "distanceBetweenLensesLabel", "frameTypeLabel"})
    EXPECT_EQ(label(name), "") << name;
  const TraceLabels expected = rightEyeLabels(processed(ReadBytes(saves_ / "1003")));
  QRect dialogPlace;
  OnNextModal([&](QWidget* modal) {
    auto* list = modal->findChild<QListView*>("traceList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    QTest::keyClick(list, Qt::Key_Down);
    dialogPlace = modal->frameGeometry();
    modal->close();
  });
  trigger("traceMaintenanceAction");
  EXPECT_EQ(label("orderLabel"), "Order: 1003");
  EXPECT_EQ(label("boxWidthLabel").toStdString(), expected.boxWidth);
  EXPECT_EQ(label("distanceBetweenLensesLabel").toStdString(), expected.distanceBetweenLenses);
  const QRect picture(window().picture().mapToGlobal(QPoint(0, 0)), window().picture().size());
  EXPECT_FALSE(dialogPlace.intersects(picture));
}

// The trace on screen goes to a PDF file with its own numbers; with none shown there is
// nothing to print.
TEST_F(MainWindowTest, ExportPdfWritesTheSheetOfTheTraceShown) {
  const QString reader = QStandardPaths::findExecutable("pdftotext");
  if (reader.isEmpty()) GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
  ASSERT_NO_FATAL_FAILURE(startLinked());
  QAction* exportPdf = window().findChild<QAction*>("exportPdfAction");
  EXPECT_FALSE(exportPdf->isEnabled() || window().findChild<QAction*>("printTraceAction")->isEnabled());
  EXPECT_EQ(upload(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return exportPdf->isEnabled(); }, kLimitMs));
  const fs::path pdf = temp_.dir() / "sheet.pdf";
  questions_.replySaveFile(QString::fromStdString(pdf.string()));
  exportPdf->trigger();
  EXPECT_EQ(questions_.asked().back().preset.toStdString(), (saves_ / "1001.pdf").string());
  QProcess text;
  text.start(reader, {QString::fromStdString(pdf.string()), "-"});
  ASSERT_TRUE(text.waitForFinished());
  const QString page = QString::fromUtf8(text.readAllStandardOutput());
  EXPECT_TRUE(page.contains("Order: 1001") && page.contains("A: 52.77")) << page.toStdString();
}

// The window keeps its size when a trace with a long job number arrives and after an
// activity view, left with its "OK" or with Esc.
TEST_F(MainWindowTest, TheWindowKeepsItsSizeAndEscLeavesTheActivityViews) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  QApplication::sendPostedEvents();
  const QSize size = window().size();
  const std::string job(40, '7');
  EXPECT_EQ(upload({"--job", job}), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return label("orderLabel").toStdString() == "Order: " + job; }, kLimitMs));
  for (const std::function<void()>& leave : std::initializer_list<std::function<void()>>{
           [&] { button("closeListButton")->click(); }, [&] { QTest::keyClick(&window(), Qt::Key_Escape); }}) {
    for (const char* view : {"activityLogAction", "rawDataAction"}) {
      trigger(view);
      QApplication::sendPostedEvents();
      leave();
      QApplication::sendPostedEvents();
      EXPECT_TRUE(window().findChild<QWidget*>("traceView")->isVisible()) << view;
      EXPECT_EQ(window().size(), size) << view;
    }
  }
}

// While the port is lost the status line and the icon's tip say which port and device, and
// that it is tried again; both return to what they showed once it reopens, or setup ends the
// link.
TEST_F(MainWindowTest, ALostPortShowsInTheStatusLineAndTheIconTipUntilItReopens) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  const QString status = label("statusLabel"), tip = window().trayIcon().toolTip();
  emit window().link()->portLost("Resource error");
  for (const QString& text : {label("statusLabel"), window().trayIcon().toolTip()}) {
    EXPECT_TRUE(text.contains("Port Lost")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(pty_.slavePath()))) << text.toStdString();
  }
  emit window().link()->portReopened();
  EXPECT_EQ(label("statusLabel"), status);
  EXPECT_EQ(window().trayIcon().toolTip(), tip);
  // The setup dialog hears of a lost port, so as not to call it in use.
  emit window().link()->portLost("Resource error");
  trigger("setupAction");
  EXPECT_EQ(setupPortNotOpen_, 1);
  EXPECT_EQ(label("statusLabel"), status);
}

// Mended fault: "&Setup" during an upload closed the port under it and the trace was lost.
// The user is told and may wait: setup then opens once the trace is stored.
TEST_F(MainWindowTest, SetupDuringAnUploadWaitsForItWhenTheUserChooses) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  ChildProcess sim({Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master()), "--body-pause", "200:1500",
                    sample_},
                   {}, {pty_.master()});
  ASSERT_TRUE(QTest::qWaitFor([&] { return window().link()->uploadInProgress(); }, kLimitMs));
  questions_.replyMessage(Answer::Yes);
  trigger("setupAction");
  EXPECT_EQ(questions_.asked().back().text.toStdString(), kSetupDuringUpload);
  EXPECT_EQ(setupRuns_, 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return setupRuns_ == 1; }, kLimitMs));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(sample_));
  EXPECT_TRUE(QTest::qWaitFor([&] { return sim.waitForExit(0).has_value(); }, kLimitMs));
  EXPECT_EQ(sim.waitForExit(0), 0) << sim.output();
}

// A screen that reports no size, or an implausible one, is named once at start with the offer
// to calibrate; a stored calibration needs no offer.
TEST_F(MainWindowTest, AScreenWithoutAPlausibleSizeOffersCalibration) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  bool calibrationShown = false;
  OnNextModal([&](QWidget* modal) {
    calibrationShown = modal->objectName() == "calibrationDialog";
    modal->close();
  });
  questions_.replyMessage(Answer::Yes);
  window().offerCalibration({800, 600, 0, 0});
  EXPECT_TRUE(calibrationShown);
  EXPECT_EQ(questions_.asked().size(), 1u);
  window().offerCalibration({800, 600, 211, 158});  // 96 dots per inch
  settings_.write(Setting::HBias, "1");
  window().offerCalibration({800, 600, 0, 0});
  EXPECT_EQ(questions_.asked().size(), 1u);
}

// Mended fault: a second copy started the application log, emptying the first copy's. Once
// the first copy has ended, the next one runs.
TEST_F(MainWindowTest, ASecondCopyShowsItsMessageAndStartsNoLog) {
  {
    const SingleInstance first;  // this process is the first copy
    ASSERT_TRUE(first.acquired());
    bool logStarted = false;
    QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });  // the "already running" box
    EXPECT_EQ(runDesktop(*qApp, [&] { logStarted = true; }), 0);
    EXPECT_FALSE(logStarted);
  }
  EXPECT_TRUE(SingleInstance().acquired());
}

}  // namespace
}  // namespace lumora::testing

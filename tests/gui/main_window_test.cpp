// The main window's start-up, link, prompt, menus and shutdown.
#include "main_window_fixture.h"

namespace lumora::testing {
namespace {

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

// The close box, "Close" and "&Close" hide the window to its icon, or without a notification
// area (offscreen) minimise it: mended fault, the window used to vanish with no way back.
// Traces still arrive; only "E&xit (Shutdown)" ends the link, and asks first.
TEST_F(MainWindowTest, AClosedWindowStillReceivesStoresAndDrawsTracesUntilShutdown) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  const auto putAway = [&] { return trayAvailable() ? window().isHidden() : window().isMinimized(); };
  for (const auto& hide : std::initializer_list<std::function<void()>>{
           [&] { window().close(); }, [&] { button("closeButton")->click(); }, [&] { trigger("closeAction"); }}) {
    window().showNormal();
    hide();
    EXPECT_TRUE(putAway());
  }
  EXPECT_EQ(upload(), 0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return label("orderLabel") == "Order: 1001"; }, kLimitMs));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(sample_));
  EXPECT_EQ(label("boxWidthLabel"), "A: 52.77");
  EXPECT_TRUE(putAway());
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
// name in a folder that does not exist is stored nowhere and moves nothing. The link status
// beside the status line says what the link is doing.
TEST_F(MainWindowTest, ThePromptCancelsOrSavesUnderANewNameForThisRunOnlyUntilSetupEndsIt) {
  settings_.write(Setting::Prompt, "1");
  ASSERT_NO_FATAL_FAILURE(startLinked());
  const QString listening = label("linkStatusLabel");
  EXPECT_TRUE(listening.endsWith(": listening")) << listening.toStdString();
  ASSERT_NO_FATAL_FAILURE(uploadPrompted());
  EXPECT_TRUE(label("linkStatusLabel").endsWith(": waiting for the operator, job 1001"));
  button("cancelButton")->click();
  EXPECT_EQ(label("statusLabel").toStdString(), kTraceCancelled);
  EXPECT_EQ(label("linkStatusLabel"), listening);
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

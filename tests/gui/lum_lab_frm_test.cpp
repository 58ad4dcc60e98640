// The main window under the offscreen platform, with settings in a temporary store, the
// questions answered by a script and a tracer simulator on a pseudo-terminal.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <memory>

#include "app/core/help_texts.h"
#include "app/core/shell_texts.h"
#include "app/desktop/desktop_app.h"
#include "app/desktop/lum_lab_frm.h"
#include "app/desktop/notify_icon.h"
#include "app/desktop/single_instance.h"
#include "scripted_questions.h"
#include "child_process.h"
#include "e2e_paths.h"
#include "link/qt/link_session.h"
#include "pty_pair.h"
#include "base/qt/settings_store.h"
#include "temp_settings.h"
#include "base/core/shared_values.h"
#include "view/qt/trace_pic.h"

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

  LumLabfrm& window() {
    if (!window_)
      window_ = std::make_unique<LumLabfrm>(DesktopServices{questions_, settings_, texts_, [this](QWidget*) {
                                                              ++setupRuns_;
                                                              configurePort();
                                                            }});
    return *window_;
  }

  // Uploads `sample` through the simulator while the window's event loop runs.
  void upload(const std::string& sample, std::vector<std::string> simArgs = {}) {
    simArgs.insert(simArgs.begin(), {Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master())});
    simArgs.push_back(sample);
    ChildProcess sim(simArgs, {}, {pty_.master()});
    EXPECT_TRUE(QTest::qWaitFor([&] { return sim.waitForExit(0).has_value(); }, kLimitMs)) << sim.output();
    EXPECT_EQ(sim.waitForExit(0), 0) << sim.output() << sim.errors();
  }

  // Starts with the prompt on and uploads the sample; the prompt then waits for the operator.
  void startPromptedUpload() {
    configurePort();
    settings_.write(Setting::Prompt, "1");
    ASSERT_TRUE(window().Form_Load());
    upload(sample_);
    ASSERT_TRUE(QTest::qWaitFor([&] { return button(0)->isVisible() && button(1)->isVisible(); }, kLimitMs));
  }

  QPushButton* button(int index) { return window().findChild<QPushButton*>(QString("Command1_%1").arg(index)); }
  QString label(const char* name) { return window().findChild<QLabel*>(name)->text(); }
  void trigger(const char* menuItem) { window().fileMenu().findChild<QAction*>(menuItem)->trigger(); }

  TempSettings store_;
  SettingsStore settings_;
  ScriptedQuestions questions_;
  HelpTexts texts_;
  TempFolder temp_;
  fs::path saves_ = temp_.dir() / "traces";
  PtyPair pty_;
  int setupRuns_ = 0;
  std::unique_ptr<LumLabfrm> window_;
  const std::string sample_ = std::string(LUMORA_SAMPLES) + "/1001";
};

// Without a port the user is asked, then the setup dialog runs; a port that does not open is
// reported and set up again; Cancel ends the program before the icon exists.
TEST_F(MainWindowTest, APortMissingOrNotOpeningIsAskedAboutThenSetUp) {
  questions_.replyMessage(Answer::Ok);
  ASSERT_TRUE(window().Form_Load());
  EXPECT_EQ(questions_.asked()[0].text.toStdString(), kNoComPort);
  EXPECT_EQ(setupRuns_, 1);
  EXPECT_TRUE(window().link()->isOpen());
  EXPECT_EQ(label("Helplbl").toStdString(), kWaitingForTraceData);

  settings_.writeKey("Device1", (temp_.dir() / "no-such-device").string());
  window_.reset();
  questions_.replyMessage(Answer::Cancel);
  EXPECT_FALSE(window().Form_Load());
  EXPECT_EQ(questions_.asked()[1].text.toStdString(), kComPortNotOpened);
  EXPECT_EQ(setupRuns_, 1);
  EXPECT_EQ(window().link(), nullptr);
  EXPECT_FALSE(window().notifyIcon().shown());
}

TEST_F(MainWindowTest, AClosedWindowStillReceivesStoresAndDrawsTraces) {
  configurePort();
  ASSERT_TRUE(window().Form_Load());
  // "Close" hides the window, or without a notification area (offscreen) minimises it:
  // mended fault, the window used to vanish with no way back.
  window().Command1_Click(2);
  EXPECT_TRUE(window().isMinimized());
  upload(sample_);
  ASSERT_TRUE(QTest::qWaitFor([&] { return label("TraceLabel") == "Order: 1001"; }, kLimitMs));
  EXPECT_EQ(ReadBytes(saves_ / "1001"), ReadBytes(sample_));
  EXPECT_FALSE(window().tracePicture().drawing().lines().empty());
  EXPECT_EQ(label("FrameAlbl"), "A: 52.77");
  EXPECT_TRUE(window().isMinimized());
  // Mended fault: a job number that is not UTF-8 was stored, then looked for under its UTF-8
  // spelling, and an empty trace was shown.
  window().tracePicture().clearPicture();
  upload(sample_, {"--job", "Caf\xE9"});
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(saves_ / "Caf\xE9"); }, kLimitMs));
  EXPECT_TRUE(QTest::qWaitFor([&] { return !window().tracePicture().drawing().lines().empty(); }, kLimitMs));
}

// Mended fault: the activity list grew for as long as the program ran (years; faster on a
// noisy line). It keeps the newest lines, the last one selected.
TEST_F(MainWindowTest, TheActivityListKeepsTheNewestLines) {
  configurePort();
  ASSERT_TRUE(window().Form_Load());
  const int added = LumLabfrm::kActivityLinesKept + 5;
  for (int i = 1; i <= added; ++i) emit window().link()->activityAdded(QString("line %1").arg(i));
  const auto* list = window().findChild<QListWidget*>("List1");
  ASSERT_EQ(list->count(), LumLabfrm::kActivityLinesKept);
  EXPECT_EQ(list->item(0)->text(), QString("line %1").arg(added - LumLabfrm::kActivityLinesKept + 1));
  EXPECT_EQ(list->currentItem()->text(), QString("line %1").arg(added));
}

// With the prompt on, the trace is first stored under the tracer's job number; Cancel keeps
// only that file; a new name in another folder changes the folder for this run only.
TEST_F(MainWindowTest, ThePromptCancelsOrSavesUnderANewNameForThisRunOnly) {
  ASSERT_NO_FATAL_FAILURE(startPromptedUpload());
  window().Command1_Click(1);
  EXPECT_EQ(label("Helplbl").toStdString(), kTraceCancelled);
  ASSERT_TRUE(QTest::qWaitFor([&] { return button(1)->isHidden(); }, kLimitMs));
  std::vector<fs::path> files;
  for (const auto& entry : fs::directory_iterator(saves_)) files.push_back(entry.path().filename());
  EXPECT_EQ(files, std::vector<fs::path>{"1001"});

  const fs::path other = temp_.dir() / "other";
  fs::create_directories(other);
  questions_.replySaveFile(QString::fromStdString((other / "NEW-1001").string()));
  upload(sample_);
  ASSERT_TRUE(QTest::qWaitFor([&] { return button(0)->isVisible(); }, kLimitMs));
  window().Command1_Click(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(other / "NEW-1001"); }, kLimitMs));
  EXPECT_NE(ReadBytes(other / "NEW-1001").find("JOB=NEW-1001"), std::string::npos);
  EXPECT_EQ(Shared().SavePath, other.string());
  EXPECT_EQ(settings_.read(Setting::SavePath), saves_.string());

  // A name in a folder that does not exist is not stored, and the save folder stays.
  questions_.replySaveFile(QString::fromStdString((temp_.dir() / "missing" / "X").string()));
  upload(sample_);
  ASSERT_TRUE(QTest::qWaitFor([&] { return button(0)->isVisible(); }, kLimitMs));
  window().Command1_Click(0);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !button(0)->isVisible(); }, kLimitMs));
  EXPECT_EQ(Shared().SavePath, other.string());
  EXPECT_FALSE(fs::exists(temp_.dir() / "missing"));
}

// Mended fault: "&Setup" while the prompt waited replaced the link but left "&Save" and
// "&Cancel" showing, and a name chosen then was stored nowhere.
TEST_F(MainWindowTest, SetupWhileThePromptWaitsTakesItsButtonsAway) {
  ASSERT_NO_FATAL_FAILURE(startPromptedUpload());
  trigger("InterfaceSetupmnu");
  EXPECT_TRUE(button(0)->isHidden());
  EXPECT_TRUE(button(1)->isHidden());
  EXPECT_TRUE(window().link()->isOpen());
}

// Mended fault: the icon's menu works while a dialog is open, and "&Setup" or "E&xit" there
// replaced or closed the link under that dialog (a name typed in the save dialog then went
// to another trace). The open dialog comes first now.
TEST_F(MainWindowTest, TheMenuWaitsWhileADialogIsOpen) {
  configurePort();
  ASSERT_TRUE(window().Form_Load());
  LinkSession* const link = window().link();
  QDialog dialog(&window());
  QTimer::singleShot(0, [&] {
    trigger("InterfaceSetupmnu");
    trigger("Exitmnu");
    dialog.reject();
  });
  dialog.exec();
  EXPECT_EQ(setupRuns_, 0);
  EXPECT_EQ(window().link(), link);
  EXPECT_TRUE(questions_.asked().empty());  // no shutdown question
}

// The wrong-brand message waits from the event loop; closing it sends the refusal.
TEST_F(MainWindowTest, AnotherBrandIsToldAndRefusedOnceTheMessageIsClosed) {
  configurePort();
  ASSERT_TRUE(window().Form_Load());
  questions_.replyMessage(Answer::Ok);
  ChildProcess sim({Program("lumora-tracer-sim"), "--fd", std::to_string(pty_.master()), "--vendor", "OTHERCO", sample_},
                   {}, {pty_.master()});
  EXPECT_TRUE(QTest::qWaitFor([&] { return sim.waitForExit(0).has_value(); }, kLimitMs)) << sim.output();
  EXPECT_EQ(sim.waitForExit(0), 1) << sim.output();  // the host refused the trace
  ASSERT_EQ(questions_.asked().size(), 1u);
  EXPECT_EQ(questions_.asked()[0].icon, Icon::Warning);
  EXPECT_FALSE(fs::exists(saves_ / "1001"));
}

TEST_F(MainWindowTest, TheCloseBoxKeepsTheLinkOpenOnlyShutdownEndsItAndAsksFirst) {
  configurePort();
  ASSERT_TRUE(window().Form_Load());
  ASSERT_FALSE(NotifyIcon::available());  // the offscreen platform has none
  window().close();  // without a notification area the window stays reachable
  EXPECT_TRUE(window().isMinimized());
  window().showNormal();
  trigger("CloseMnu");
  EXPECT_TRUE(window().isMinimized());
  questions_.replyMessage(Answer::No);
  window().Exitmnu_Click();
  EXPECT_TRUE(window().link()->isOpen());
  questions_.replyMessage(Answer::Yes);
  window().Exitmnu_Click();
  EXPECT_EQ(window().link(), nullptr);
}

TEST_F(MainWindowTest, ASecondCopyFindsTheFirstRunning) {
  const QString lock = QString::fromStdString(temp_.file("server.lock").string());
  {
    const SingleInstance first(lock);
    EXPECT_TRUE(first.acquired());
    EXPECT_FALSE(SingleInstance(lock).acquired());
  }
  EXPECT_TRUE(SingleInstance(lock).acquired());  // the first copy has ended
}

// Mended fault: a second copy started the application log, emptying the first copy's.
TEST_F(MainWindowTest, ASecondCopyShowsItsMessageAndStartsNoLog) {
  const SingleInstance first;  // this process is the first copy
  ASSERT_TRUE(first.acquired());
  bool logStarted = false;
  QTimer::singleShot(0, [] { QApplication::activeModalWidget()->close(); });  // the "already running" box
  EXPECT_EQ(RunDesktop(*qApp, [&] { logStarted = true; }), 0);
  EXPECT_FALSE(logStarted);
}

}  // namespace
}  // namespace lumora::testing

// What the main window shows: the labels of the outline shown, a lost port, the icon's
// notices, setup during an upload.
#include "main_window_fixture.h"

namespace lumora::testing {
namespace {

// Mended fault: the order and dimension labels kept the numbers of a cancelled trace, and a
// trace the maintenance dialog drew showed beside the numbers of another. The labels describe
// the outline shown (arrow keys in the list redraw as a click does), and nothing when there is
// none.
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
  OnNextModal([&](QWidget* modal) {
    auto* list = modal->findChild<QListView*>("traceList");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(list->model()->index(0, 0)).center());
    QTest::keyClick(list, Qt::Key_Down);
    modal->close();
  });
  trigger("traceMaintenanceAction");
  EXPECT_EQ(label("orderLabel"), "Order: 1003");
  EXPECT_EQ(label("boxWidthLabel").toStdString(), expected.boxWidth);
  EXPECT_EQ(label("distanceBetweenLensesLabel").toStdString(), expected.distanceBetweenLenses);
}

// While the port is lost the status line and the icon's tip say which port and device, and
// that it is tried again; both return to what they showed once it reopens, or setup ends the
// link.
TEST_F(MainWindowTest, ALostPortShowsInTheStatusLineAndTheIconTipUntilItReopens) {
  ASSERT_NO_FATAL_FAILURE(startLinked());
  const QString status = label("statusLabel"), tip = window().trayIcon().toolTip();
  const auto iconImage = [&](int size) { return window().trayIcon().icon().pixmap(size).toImage(); };
  const QImage normal16 = iconImage(16);
  EXPECT_GT(normal16.pixelColor(5, 10).lightness(), 240);  // inside the lens, drawn from the program's own SVG
  emit window().link()->portLost("Resource error");
  for (const QString& text : {label("statusLabel"), window().trayIcon().toolTip()}) {
    EXPECT_TRUE(text.contains("Port Lost")) << text.toStdString();
    EXPECT_TRUE(text.contains(QString::fromStdString(pty_.slavePath()))) << text.toStdString();
  }
  EXPECT_NE(iconImage(16), normal16);  // the icon has a look of its own while the port is lost
  EXPECT_TRUE(label("linkStatusLabel").endsWith(": lost, retrying")) << label("linkStatusLabel").toStdString();
  EXPECT_TRUE(window().trayIcon().lastNotice().contains("Port Lost"));
  emit window().link()->portReopened();
  EXPECT_EQ(label("statusLabel"), status);
  EXPECT_EQ(window().trayIcon().toolTip(), tip);
  EXPECT_EQ(iconImage(16), normal16);
  EXPECT_TRUE(window().trayIcon().lastNotice().startsWith("Port back"));
  // The setup dialog hears of a lost port, so as not to call it in use.
  emit window().link()->portLost("Resource error");
  trigger("setupAction");
  EXPECT_EQ(setupPortNotOpen_, 1);
  EXPECT_EQ(label("statusLabel"), status);
}

// Mended fault: "Bypass Startup Notification" was stored and never read. Unticked, the icon
// says at start-up where the server listens; it also tells of each trace stored.
TEST_F(MainWindowTest, TheIconTellsWhereItListensUnlessBypassedAndOfEachTraceStored) {
  settings_.write(Setting::BypassNotification, 1);
  ASSERT_NO_FATAL_FAILURE(startLinked());
  EXPECT_EQ(window().trayIcon().lastNotice(), "");
  window_.reset();
  settings_.write(Setting::BypassNotification, 0);
  ASSERT_TRUE(window().start());
  const QString listening = window().trayIcon().lastNotice();
  EXPECT_TRUE(listening.startsWith("Listening") && listening.contains(QString::fromStdString(pty_.slavePath())))
      << listening.toStdString();
  EXPECT_EQ(upload(), 0);
  EXPECT_TRUE(QTest::qWaitFor([&] { return window().trayIcon().lastNotice() == "Trace stored: 1001"; }, kLimitMs));
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

}  // namespace
}  // namespace lumora::testing

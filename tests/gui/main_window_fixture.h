// The main window's test fixture: the window under the offscreen platform, with settings in a
// temporary store, the questions answered by a script and a tracer simulator on a
// pseudo-terminal.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
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
#include "history/qt/history_store.h"
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
    if (!window_) window_ = std::make_unique<MainWindow>(DesktopServices{questions_, settings_, texts_, setup, &history_});
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
  HistoryStore history_{QString::fromStdString(temp_.file("history.sqlite").string())};
  PtyPair pty_;
  int setupRuns_ = 0;
  int setupPortNotOpen_ = -1;  // as the last setup was told
  std::unique_ptr<MainWindow> window_;
  const std::string sample_ = std::string(LUMORA_SAMPLES) + "/1001";
};

}  // namespace lumora::testing

// A setup dialog on a temporary settings store, with ports mapped to devices in a temporary
// folder (missing unless a test gives a pseudo-terminal), questions answered by a script and
// auto-start entries written to a temporary folder.
#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <memory>

#include "app/core/help_texts.h"
#include "app/qt/scripted_questions.h"
#include "qt_wait.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/com_setup_frm.h"
#include "setup/qt/settings_store.h"
#include "temp_settings.h"
#include "trace/core/shared_values.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace lumora::testing {

class SetupFixture : public ::testing::Test {
 protected:
  SetupFixture()
      : autoStart(work.path() + "/autostart", "/opt/lumora/lumora-trace-server"),
        previousFolder(QDir::currentPath()) {
    QDir::setCurrent(work.path());
    Shared().DefaultSavePath = path("LumoraTraces");  // absent until a test makes it
    for (int port = 1; port <= 16; ++port) {
      store.writeKey(DeviceSettingKey(port), path("dev/tty" + std::to_string(port)));
    }
    texts.BuildSetupHelpText(Shared().DefaultSavePath);
    texts.BuildDailyOperationText();
    texts.BuildMaintenanceText();
    Shared().ProgramFolder = path("program");
    Shared().SavePath.clear();
  }
  // Every scripted answer was asked for, and no question came unexpected.
  void TearDown() override {
    EXPECT_EQ(questions.mistakes(), 0);
    EXPECT_EQ(questions.unusedReplies(), 0);
  }

  ~SetupFixture() override {
    dialog.reset();
    QDir::setCurrent(previousFolder);
    Shared().DefaultSavePath = PlatformDefaultSavePath();
  }

  std::string path(const std::string& name) const { return work.path().toStdString() + "/" + name; }

  // Loads the dialog and waits until its first probe is over.
  ComSetupFrm& open() {
    dialog = std::make_unique<ComSetupFrm>(store, questions, autoStart, texts);
    dialog->show();
    waitForProbe();
    return *dialog;
  }

  void waitForProbe() {
    EXPECT_TRUE(WaitFor([&] { return !dialog->probing(); }, 20000));
  }

  template <typename Widget>
  Widget* child(const char* name) const {
    auto* widget = dialog->findChild<Widget*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  QListWidget* list() const { return child<QListWidget>("List1"); }
  QCheckBox* box(const char* name) const { return child<QCheckBox>(name); }
  QLineEdit* folderText() const { return child<QLineEdit>("SaveDirectoryText"); }
  void clickOk() const { child<QPushButton>("Command1")->click(); }
  void expectStored(std::initializer_list<std::pair<const char*, std::string>> values) const {
    for (const auto& [key, value] : values) EXPECT_EQ(store.readKey(key), value) << key;
  }

  TempSettings settings;
  QTemporaryDir work;
  SettingsStore store;
  ScriptedQuestions questions;
  XdgAutoStart autoStart;
  HelpTexts texts;
  QString previousFolder;
  std::unique_ptr<ComSetupFrm> dialog;
};

}  // namespace lumora::testing

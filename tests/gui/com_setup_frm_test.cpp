#include "setup/qt/com_setup_frm.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "app/core/help_texts.h"
#include "app/qt/qt_text.h"
#include "app/qt/scripted_questions.h"
#include "modal.h"
#include "pty_pair.h"
#include "qt_wait.h"
#include "setup/qt/auto_start.h"
#include "setup/qt/lum_get_dir.h"
#include "setup/qt/settings_store.h"
#include "temp_settings.h"
#include "trace/core/shared_values.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace lumora {
namespace {

using testing::PtyPair;

// Clicks the check box of list entry `row` as a user does.
void clickBox(QListWidget* list, int row) {
  QStyleOptionViewItem option;
  option.initFrom(list->viewport());
  option.rect = list->visualItemRect(list->item(row));
  option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
  option.text = list->item(row)->text();
  const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box.center());
}

// A setup dialog on a temporary settings store, with ports mapped to devices in a temporary
// folder (missing unless a test gives a pseudo-terminal), questions answered by a script and
// auto-start entries written to a temporary folder.
class ComSetupFrmTest : public ::testing::Test {
 protected:
  ComSetupFrmTest()
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

  ~ComSetupFrmTest() override {
    dialog.reset();
    QDir::setCurrent(previousFolder);
    Shared().DefaultSavePath = PlatformDefaultSavePath();
  }

  std::string path(const std::string& name) const { return work.path().toStdString() + "/" + name; }

  // Loads the dialog and waits until its first probe is over.
  void open() {
    dialog = std::make_unique<ComSetupFrm>(store, questions, autoStart, texts);
    dialog->show();
    waitForProbe();
  }

  void waitForProbe() { EXPECT_TRUE(testing::WaitFor([&] { return !dialog->probing(); }, 20000)); }

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

  // Answers the folder chooser that Browse opens.
  void browse(std::function<void(LumGetDir*)> answer) {
    testing::OnNextModal([answer = std::move(answer)](QWidget* modal) {
      auto* chooser = qobject_cast<LumGetDir*>(modal);
      ASSERT_NE(chooser, nullptr);
      answer(chooser);
    });
    child<QPushButton>("Command2")->click();
  }

  testing::TempSettings settings;
  QTemporaryDir work;
  SettingsStore store;
  ScriptedQuestions questions;
  XdgAutoStart autoStart;
  HelpTexts texts;
  QString previousFolder;
  std::unique_ptr<ComSetupFrm> dialog;
};


TEST_F(ComSetupFrmTest, Load_WithNothingStoredShowsDefaultsAndOkStoresThem) {
  ASSERT_TRUE(QDir(work.path()).mkdir("LumoraTraces"));
  open();
  EXPECT_EQ(folderText()->text(), QText(Shared().DefaultSavePath));
  for (const char* name : {"DontShowCheck", "Check1", "AutoStartCheck"}) EXPECT_FALSE(box(name)->isChecked());
  ASSERT_EQ(list()->count(), 16);
  for (int row = 0; row < 16; ++row) {
    EXPECT_EQ(list()->item(row)->checkState(), Qt::Unchecked);
    EXPECT_EQ(list()->item(row)->text(), QString("COM: %1 (Not Available)").arg(row + 1));
  }
  clickOk();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  expectStored({{"Port", "0"}, {"Speed", "19200"}, {"SavePath", Shared().DefaultSavePath},
                {"AutoStart", "0"}, {"Prompt", "0"}, {"DontShow1", "0"}});
  EXPECT_EQ(Shared().SavePath, Shared().DefaultSavePath);
}

TEST_F(ComSetupFrmTest, Load_ShowsTheStoredOptionsAndPortAndOkStoresTheChangedOnes) {
  store.write(Setting::Prompt, "1");
  store.write(Setting::AutoStart, "1");
  store.write(Setting::Port, 3);
  store.write(Setting::Speed, 9600);
  store.write(Setting::SavePath, work.path().toStdString());
  open();
  EXPECT_TRUE(box("Check1")->isChecked());
  EXPECT_TRUE(box("AutoStartCheck")->isChecked());
  EXPECT_FALSE(box("DontShowCheck")->isChecked());
  EXPECT_EQ(list()->item(2)->text(), "COM: 3\t 9600 8,n,1 (Currently in Use)");
  EXPECT_EQ(list()->item(2)->checkState(), Qt::Checked);
  box("DontShowCheck")->setChecked(true);
  box("Check1")->setChecked(false);
  clickOk();
  expectStored({{"Port", "3"}, {"Speed", "9600"}, {"AutoStart", "1"}, {"Prompt", "0"}, {"DontShow1", "1"}});
  EXPECT_TRUE(autoStart.present());
}

TEST_F(ComSetupFrmTest, Ok_AMissingFolderIsCreatedOnlyWhenTheUserSaysYes) {
  store.write(Setting::SavePath, "kept");
  open();
  const QString folder = work.path() + "/Traces";
  folderText()->setText("  " + folder + "  ");
  for (Answer answer : {Answer::No, Answer::Cancel}) {
    questions.replyMessage(answer);
    clickOk();
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_EQ(store.read(Setting::SavePath), "kept");
  }
  EXPECT_EQ(folderText()->text(), folder);
  const AskedQuestion& asked = questions.asked()[0];
  EXPECT_EQ(asked.Text, "The  '" + folder + "'  folder does not exist.\n\nWould you like for me to create it for you?");
  EXPECT_EQ(asked.Title, "Lumora Corvane Trace Server");
  EXPECT_EQ(asked.ButtonSet, Buttons::YesNoCancel);

  questions.replyMessage(Answer::Yes);
  questions.replyMessage(Answer::Ok);
  clickOk();
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(questions.asked().back().Text, "The new  '" + folder + "'  folder has been created.");
  EXPECT_EQ(questions.asked().back().Title, "New Folder Created");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::SavePath), folder.toStdString());
}

TEST_F(ComSetupFrmTest, Ok_FolderThatCannotBeCreatedFallsBackToTheDefaultAndStoresNothing) {
  open();
  const QString names[] = {"   ", work.path() + "/missing/Traces", work.path() + "/" + QString(300, 'x'),
                           work.path() + QString("/bad") + QChar(0) + "name"};
  for (const QString& folder : names) {
    folderText()->setText(folder);
    questions.replyMessage(Answer::Yes);
    questions.replyMessage(Answer::Ok);
    clickOk();
    const auto asked = questions.asked().end() - 2;
    EXPECT_EQ(asked->Text.left(asked->Text.indexOf("'  folder")), "The  '" + folder.trimmed());
    const AskedQuestion& error = asked[1];
    EXPECT_EQ(error.Text, "Unable to create folder!\n\nPlease enter a valid folder name.");
    EXPECT_EQ(error.Title, "Folder Creation Error");
    EXPECT_EQ(error.Symbol, Icon::Error);
    EXPECT_EQ(folderText()->text(), QText(Shared().DefaultSavePath));
    EXPECT_TRUE(dialog->isVisible());
  }
  EXPECT_FALSE(QFileInfo::exists(work.path() + "/missing"));
  EXPECT_FALSE(store.readKey("SavePath").has_value());
}

TEST_F(ComSetupFrmTest, PortClick_TickingAFreePortStoresItAsksTheSpeedUntilValidAndReprobes) {
  PtyPair free, other;
  store.writeKey(DeviceSettingKey(5), free.slavePath());
  store.writeKey(DeviceSettingKey(6), other.slavePath());
  store.write(Setting::Speed, 9600);
  open();
  ASSERT_EQ(list()->item(4)->text(), "COM: 5  (Available)");
  questions.replyInput(QString("300"));
  questions.replyInput(QString("38400"));
  clickBox(list(), 4);
  expectStored({{"Port", "5"}, {"Speed", "38400"}});
  ASSERT_EQ(questions.asked().size(), 2u);
  for (const AskedQuestion& asked : questions.asked()) {
    EXPECT_EQ(asked.Title, "Serial Port Baud Rate");
    EXPECT_TRUE(asked.Text.contains("for the COM5 device"));
    EXPECT_EQ(asked.Preset, "9600");
  }
  EXPECT_FALSE(dialog->isEnabled()) << "the dialog is disabled while the list is probed";
  waitForProbe();
  EXPECT_TRUE(dialog->isEnabled());
  EXPECT_EQ(list()->item(4)->text(), "COM: 5\t 38400 8,n,1 (Currently in Use)");
  EXPECT_EQ(list()->item(4)->checkState(), Qt::Checked);
  EXPECT_EQ(list()->item(5)->text(), "COM: 6  (Available)");

  questions.replyInput(std::nullopt);  // a cancelled speed keeps the stored one, not the port
  clickBox(list(), 5);
  waitForProbe();
  expectStored({{"Port", "6"}, {"Speed", "38400"}});
  EXPECT_EQ(list()->item(5)->text(), "COM: 6\t 38400 8,n,1 (Currently in Use)");
  EXPECT_EQ(list()->item(4)->checkState(), Qt::Unchecked);
}

TEST_F(ComSetupFrmTest, PortClick_NotAvailableIsRefusedUntickingTheConfiguredPortStoresZero) {
  PtyPair free;
  store.writeKey(DeviceSettingKey(7), free.slavePath());
  store.write(Setting::Port, 7);
  store.write(Setting::SavePath, work.path().toStdString());
  open();
  clickBox(list(), 0);
  EXPECT_EQ(list()->item(0)->checkState(), Qt::Unchecked);
  EXPECT_FALSE(dialog->probing());
  EXPECT_EQ(store.read(Setting::Port), "7");

  ASSERT_EQ(list()->item(6)->checkState(), Qt::Checked);
  clickBox(list(), 6);
  EXPECT_EQ(store.read(Setting::Port), "0");
  waitForProbe();
  EXPECT_EQ(list()->item(6)->text(), "COM: 7  (Available)");
  EXPECT_EQ(list()->item(6)->checkState(), Qt::Unchecked);
  EXPECT_TRUE(questions.asked().empty());
  clickOk();
  EXPECT_EQ(store.read(Setting::Port), "0");
}

TEST_F(ComSetupFrmTest, Close_AppliesTheAutoStartBoxButKeepsTheSetting) {
  open();
  box("AutoStartCheck")->setChecked(true);
  dialog->reject();
  EXPECT_TRUE(autoStart.present());
  EXPECT_FALSE(store.readKey("AutoStart").has_value());
  open();
  EXPECT_FALSE(box("AutoStartCheck")->isChecked());
  dialog->close();
  EXPECT_FALSE(autoStart.present());
}

TEST_F(ComSetupFrmTest, Close_DuringAProbeStopsIt) {
  PtyPair free;
  store.writeKey(DeviceSettingKey(1), free.slavePath());
  dialog = std::make_unique<ComSetupFrm>(store, questions, autoStart, texts);
  ASSERT_TRUE(dialog->probing());
  dialog->reject();
  EXPECT_FALSE(dialog->probing());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(ComSetupFrmTest, HelpButtons_ShowTheirTexts) {
  open();
  questions.replyInput(QString("1"));
  for (const char* name : {"Command3", "Command4", "Command5"}) child<QPushButton>(name)->click();
  ASSERT_EQ(questions.asked().size(), 4u);
  const char* titles[] = {"Select Tracer Type", "Orvid Instructions", "Maintenance", "Daily Operation"};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(questions.asked()[i].Title, titles[i]);
}

// The chooser stores the folder itself; the box shows what is stored, or the program folder.
TEST_F(ComSetupFrmTest, Browse_ShowsTheStoredFolderOrTheProgramFolder) {
  ASSERT_TRUE(QDir(work.path()).mkpath("chosen"));
  open();
  browse([](LumGetDir* chooser) { chooser->findChild<QPushButton*>("cmdCancel")->click(); });
  EXPECT_EQ(folderText()->text().toStdString(), path("program"));
  EXPECT_EQ(Shared().SavePath, path("program"));
  EXPECT_FALSE(store.readKey("SavePath").has_value());

  const QString chosen = work.path() + "/chosen";
  browse([&](LumGetDir* chooser) {
    ASSERT_TRUE(chooser->openFolder(chosen));
    chooser->findChild<QPushButton*>("cmdOk")->click();
  });
  EXPECT_EQ(store.read(Setting::SavePath), chosen.toStdString());
  EXPECT_EQ(folderText()->text(), chosen);
  EXPECT_EQ(Shared().SavePath, chosen.toStdString());
}

}  // namespace
}  // namespace lumora

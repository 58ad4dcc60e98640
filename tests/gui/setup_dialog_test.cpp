#include "setup/qt/setup_dialog.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

#include "base/qt/settings_store.h"
#include "pty_pair.h"
#include "scripted_questions.h"
#include "setup/qt/auto_start.h"
#include "temp_settings.h"

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace lumora {
namespace {

// A setup dialog on a temporary settings store, with ports mapped to devices in a temporary
// folder (missing unless a test gives a pseudo-terminal), questions answered by a script,
// auto-start entries and the default save folder in a temporary folder.
class SetupDialogTest : public ::testing::Test {
 protected:
  SetupDialogTest() {
    for (int port = 1; port <= 16; ++port) store.writeKey(deviceSettingKey(port), path("dev/tty" + std::to_string(port)));
  }
  // Every scripted answer was asked for, and no question came unexpected.
  void TearDown() override { EXPECT_EQ(std::pair(questions.mistakes(), questions.unusedReplies()), std::pair(0, 0)); }

  std::string path(const std::string& name) const { return work.path().toStdString() + "/" + name; }
  // Loads the dialog and waits until its first probe is over.
  void open() {
    dialog = std::make_unique<SetupDialog>(store, questions, autoStart, SetupHelp{}, defaultFolder);
    dialog->show();
    waitForProbe();
  }
  void waitForProbe() { EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog->probing(); }, 20000)); }

  template <typename Widget = QPushButton>
  Widget* child(const char* name) const { return dialog->findChild<Widget*>(name); }
  QListWidget* list() const { return child<QListWidget>("portList"); }
  QString entry(int row) const { return list()->item(row)->text(); }
  bool ticked(int row) const { return list()->item(row)->checkState() == Qt::Checked; }
  QCheckBox* box(const char* name) const { return child<QCheckBox>(name); }
  QLineEdit* folderText() const { return child<QLineEdit>("saveFolderEdit"); }
  // Clicks OK, with `replies` to the questions it asks.
  void clickOk(std::initializer_list<Answer> replies = {}) {
    for (Answer reply : replies) questions.replyMessage(reply);
    child("okButton")->click();
  }
  // Runs the browse button; `inChooser` acts on the folder chooser once it is shown.
  void browse(const std::function<void(QWidget*)>& inChooser) const {
    QTimer::singleShot(0, [inChooser] { inChooser(QApplication::activeModalWidget()); });
    child("browseButton")->click();
  }
  void expectStored(std::initializer_list<std::pair<const char*, std::string>> values) const {
    for (const auto& [key, value] : values) EXPECT_EQ(store.readKey(key), value) << key;
  }
  // Clicks the check box of list entry `row` as a user does, or the entry's text beside it.
  void clickBox(int row, bool besideTheBox = false) const {
    QStyleOptionViewItem option;
    option.initFrom(list()->viewport());
    option.rect = list()->visualItemRect(list()->item(row));
    option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
    option.text = entry(row);
    const QRect box = list()->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list());
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, box.center() + QPoint(besideTheBox ? 60 : 0, 0));
  }
  const AskedQuestion& lastAsked() const { return questions.asked().back(); }

  testing::TempSettings settings;
  QTemporaryDir work;
  SettingsStore store;
  ScriptedQuestions questions;
  XdgAutoStart autoStart{work.path() + "/autostart", "/opt/lumora/lumora-trace-server"};
  const std::string defaultFolder = path("LumoraTraces");  // absent until a test makes it
  std::unique_ptr<SetupDialog> dialog;
};

// Each box shows and stores its own key: a mix-up would, say, prompt for every file name.
// OK stores what the controls show, so the stored values tell what was loaded. Mended fault:
// a port number beyond 16 bits used to wrap onto one of the 16 ports and was stored back.
TEST_F(SetupDialogTest, Load_ShowsTheStoredSettingsOrTheDefaultsAndOkStoresEveryOne) {
  ASSERT_TRUE(QDir().mkdir(QString::fromStdString(defaultFolder)));
  store.writeKey("Port", "65539");
  open();
  EXPECT_EQ(folderText()->text().toStdString(), defaultFolder);
  box("bypassNotificationBox")->setChecked(true);
  clickOk();
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  expectStored({{"Port", "0"}, {"Speed", "19200"}, {"SavePath", defaultFolder}, {"AutoStart", "0"}, {"Prompt", "0"},
                {"DontShow1", "1"}});
  for (const auto& [key, value] : {std::pair{"Prompt", "1"}, {"AutoStart", "1"}, {"DontShow1", "0"}, {"Port", "3"},
                                   {"Speed", "9600"}})
    store.writeKey(key, value);
  open();
  clickOk();
  expectStored({{"Port", "3"}, {"Speed", "9600"}, {"AutoStart", "1"}, {"Prompt", "1"}, {"DontShow1", "0"}});
  EXPECT_TRUE(autoStart.present());
}

// A folder that cannot be made puts the default back in the box; No and Cancel leave the
// dialog open; only Yes makes the folder and stores it. A folder that exists but takes no
// files (here a file, not a folder) is refused with the system's reason, before any trace is
// answered "not saved" there.
TEST_F(SetupDialogTest, Ok_StoresOnlyAFolderThatTakesFilesCreatingItWhenTheUserSaysYes) {
  store.write(Setting::SavePath, "kept");
  open();
  for (const QString& folder : {QString("   "), work.path() + "/missing/Traces", work.path() + "/bad" + QChar(0) + "x"}) {
    folderText()->setText(folder);
    clickOk({Answer::Yes, Answer::Ok});
    EXPECT_EQ(lastAsked().text, "Unable to create folder!\n\nPlease enter a valid folder name.");
    EXPECT_EQ(folderText()->text().toStdString(), defaultFolder);
  }
  EXPECT_FALSE(QFileInfo::exists(work.path() + "/missing"));
  const QString notAFolder = work.path() + "/notes.txt";
  ASSERT_TRUE(QFile(notAFolder).open(QIODevice::WriteOnly));
  folderText()->setText(notAFolder);
  clickOk({Answer::Ok});
  EXPECT_TRUE(lastAsked().text.startsWith("Traces cannot be stored in the  '" + notAFolder + "'  folder: "))
      << lastAsked().text.toStdString();
  EXPECT_TRUE(lastAsked().text.endsWith(".\n\nPlease choose another folder."));
  EXPECT_EQ(lastAsked().icon, Icon::Error);

  const QString folder = work.path() + "/Traces";
  folderText()->setText("  " + folder + "  ");
  for (Answer answer : {Answer::No, Answer::Cancel}) {
    clickOk({answer});
    EXPECT_TRUE(dialog->isVisible());
    EXPECT_FALSE(QFileInfo::exists(folder));
  }
  EXPECT_EQ(store.read(Setting::SavePath), "kept");
  EXPECT_EQ(lastAsked().text,
            "The  '" + folder + "'  folder does not exist.\n\nWould you like for me to create it for you?");
  EXPECT_EQ(lastAsked().buttons, Buttons::YesNoCancel);
  clickOk({Answer::Yes, Answer::Ok});  // "created"
  EXPECT_TRUE(QFileInfo(folder).isDir());
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::SavePath), folder.toStdString());
}

// Ticking a free port stores it with a speed asked until valid (Cancel keeps the stored one)
// and probes again; a port that is not available is refused; unticking stores port 0.
TEST_F(SetupDialogTest, PortClick_StoresTheTickedPortAndItsSpeedAndReprobes) {
  testing::PtyPair free, other;
  store.writeKey(deviceSettingKey(5), free.slavePath());
  store.writeKey(deviceSettingKey(6), other.slavePath());
  store.write(Setting::Speed, 9600);
  open();
  questions.replyInput(QString("300"));
  questions.replyInput(QString("38400"));
  clickBox(4);
  expectStored({{"Port", "5"}, {"Speed", "38400"}});
  EXPECT_EQ(questions.asked()[1].preset, "9600");
  waitForProbe();
  EXPECT_EQ(entry(4), "COM: 5\t 38400 8,n,1 (Currently in Use)");

  questions.replyInput(std::nullopt);
  clickBox(5);
  waitForProbe();
  expectStored({{"Port", "6"}, {"Speed", "38400"}});
  EXPECT_TRUE(ticked(5));

  clickBox(0);  // not available
  list()->setCurrentRow(0);
  QTest::keyClick(list(), Qt::Key_Space);
  EXPECT_FALSE(ticked(0));
  // Mended fault: a click on a free port's text, beside its box, used to count as unticking
  // the configured port and stored port 0.
  clickBox(4, true);
  EXPECT_FALSE(ticked(4));
  EXPECT_EQ(store.read(Setting::Port), "6");
  clickBox(5);
  EXPECT_EQ(store.read(Setting::Port), "0");
  waitForProbe();
  EXPECT_EQ(entry(5), "COM: 6  (Available)");
}

// Mended fault: a cancelled browse with no folder ever stored used to make the program's
// own folder the save folder. A folder the chooser picks that takes no files (gone by the
// time it is checked) is refused with the reason and put back as stored, so that
// cancelling setup cannot leave it in force.
TEST_F(SetupDialogTest, Browse_KeepsTheStoredFolderWhenCancelledOrTheChosenOneTakesNoFiles) {
  const QString full = QString::fromStdString(defaultFolder);  // where the chooser opens
  ASSERT_TRUE(QDir().mkpath(full));
  open();
  folderText()->setText("typed");
  browse([](QWidget* chooser) { chooser->close(); });
  EXPECT_EQ(folderText()->text().toStdString(), defaultFolder);
  EXPECT_FALSE(store.readKey("SavePath").has_value());
  store.write(Setting::SavePath, path("gone"));
  questions.replyMessage(Answer::Ok);
  browse([&full](QWidget* chooser) {
    QDir(full).removeRecursively();
    chooser->findChild<QPushButton*>("okButton")->click();
  });
  EXPECT_TRUE(lastAsked().text.startsWith("Traces cannot be stored in the  '" + full + "'  folder: "));
  EXPECT_EQ(store.read(Setting::SavePath), path("gone"));
  EXPECT_EQ(folderText()->text().toStdString(), path("gone"));
}

// A port its link lost, or could not open, is not called in use.
TEST_F(SetupDialogTest, Load_DoesNotCallAPortNotOpenInUse) {
  store.write(Setting::Port, 3);
  dialog = std::make_unique<SetupDialog>(store, questions, autoStart, SetupHelp{}, defaultFolder, 3);
  dialog->show();
  waitForProbe();
  EXPECT_TRUE(ticked(2));
  EXPECT_FALSE(entry(2).contains("In Use")) << entry(2).toStdString();
}

TEST_F(SetupDialogTest, Close_AppliesTheAutoStartBoxButKeepsTheSetting) {
  open();
  box("autoStartBox")->setChecked(true);
  dialog->reject();
  EXPECT_TRUE(autoStart.present());
  EXPECT_FALSE(store.readKey("AutoStart").has_value());
  open();
  EXPECT_FALSE(box("autoStartBox")->isChecked());
  dialog->close();
  EXPECT_FALSE(autoStart.present());
}

}  // namespace
}  // namespace lumora

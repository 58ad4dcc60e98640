#include "setup/qt/folder_chooser.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include "base/qt/settings_store.h"
#include "scripted_questions.h"
#include "temp_settings.h"

namespace lumora {
namespace {

class FolderChooserTest : public ::testing::Test {
 protected:
  FolderChooserTest() { QDir(work.path()).mkpath("traces/old"); }

  QString folder(const char* name) const { return work.path() + "/" + name; }
  FolderChooser chooser() { return FolderChooser(store, questions, folder("LumoraTraces").toStdString()); }

  testing::TempSettings settings;
  QTemporaryDir work;
  SettingsStore store;
  ScriptedQuestions questions;
};

// The stored folder when it exists, else the default folder when that exists, else the root.
TEST_F(FolderChooserTest, Load_OpensOnTheFirstFolderThatExistsAndCancelStoresNothing) {
  store.write(Setting::SavePath, folder("gone").toStdString());
  EXPECT_EQ(chooser().currentFolder(), QDir::toNativeSeparators(QDir::rootPath()));
  ASSERT_TRUE(QDir(work.path()).mkdir("LumoraTraces"));
  EXPECT_EQ(chooser().currentFolder(), folder("LumoraTraces"));
  store.write(Setting::SavePath, folder("traces").toStdString());
  FolderChooser shown = chooser();
  EXPECT_EQ(shown.currentFolder(), folder("traces"));
  ASSERT_TRUE(shown.openFolder(folder("traces/old")));
  shown.findChild<QPushButton*>("cancelButton")->click();
  EXPECT_EQ(store.read(Setting::SavePath), folder("traces").toStdString());
}

TEST_F(FolderChooserTest, Ok_StoresTheFolderOpenedByDoubleClickNotAHighlightedOne) {
  store.write(Setting::SavePath, folder("traces").toStdString());
  FolderChooser shown = chooser();
  auto* tree = shown.findChild<QTreeView*>("folderTree");
  const QModelIndex old = shown.folderModel()->index(folder("traces/old"));
  ASSERT_TRUE(old.isValid());
  tree->setCurrentIndex(shown.folderModel()->index(work.path()));  // highlighted only
  emit tree->doubleClicked(old);
  shown.findChild<QPushButton*>("okButton")->click();
  EXPECT_EQ(shown.result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::SavePath), folder("traces/old").toStdString());
}

// "&New Folder" makes a folder inside the current one and opens it.
TEST_F(FolderChooserTest, NewFolderMakesAFolderInTheCurrentOneAndOpensIt) {
  store.write(Setting::SavePath, folder("traces").toStdString());
  FolderChooser shown = chooser();
  questions.replyInput(QString("fresh"));
  shown.findChild<QPushButton*>("newFolderButton")->click();
  EXPECT_TRUE(QFileInfo(folder("traces/fresh")).isDir());
  EXPECT_EQ(shown.currentFolder(), folder("traces/fresh"));
}

}  // namespace
}  // namespace lumora

#include "setup/qt/lum_get_dir.h"

#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include "setup/qt/settings_store.h"
#include "trace/core/shared_values.h"
#include "temp_settings.h"

namespace lumora {
namespace {

class LumGetDirTest : public ::testing::Test {
 protected:
  LumGetDirTest() : previousFolder(QDir::currentPath()) {
    QDir::setCurrent(work.path());
    QDir(work.path()).mkpath("traces/old");
    Shared().DefaultSavePath = folder("LumoraTraces").toStdString();  // absent until a test makes it
  }
  ~LumGetDirTest() override {
    QDir::setCurrent(previousFolder);
    Shared().DefaultSavePath = PlatformDefaultSavePath();
  }

  QString folder(const char* name) const { return work.path() + "/" + name; }

  testing::TempSettings settings;
  QTemporaryDir work;
  SettingsStore store;
  QString previousFolder;
};

TEST_F(LumGetDirTest, Load_ShowsItsControlsAndOpensOnTheStoredFolder) {
  store.write(Setting::SavePath, folder("traces").toStdString());
  LumGetDir chooser(store);
  EXPECT_EQ(chooser.windowTitle(), "Destination Folder");
  EXPECT_EQ(chooser.size(), QSize(308, 365));  // 4620 by 5475 twips
  EXPECT_EQ(chooser.currentFolder(), folder("traces"));
  auto* drives = chooser.findChild<QComboBox*>("arDrive");
  ASSERT_NE(drives, nullptr);
  EXPECT_EQ(drives->currentText(), QDir::toNativeSeparators(QDir::rootPath()));
  ASSERT_NE(chooser.findChild<QTreeView*>("ARFolder"), nullptr);
  auto* ok = chooser.findChild<QPushButton*>("cmdOk");
  auto* cancel = chooser.findChild<QPushButton*>("cmdCancel");
  ASSERT_NE(ok, nullptr);
  ASSERT_NE(cancel, nullptr);
  EXPECT_EQ(ok->text(), "&OK");
  EXPECT_EQ(ok->toolTip(), "Accept selection and close window");
  EXPECT_EQ(cancel->text(), "&Cancel");
  EXPECT_EQ(cancel->toolTip(), "Cancel selection and close window");
  EXPECT_EQ(ok->pos(), QPoint(132, 332));
  EXPECT_EQ(cancel->pos(), QPoint(212, 332));
}

TEST_F(LumGetDirTest, Load_MissingStoredFolderOpensTheDefaultFolderWhenItExists) {
  ASSERT_TRUE(QDir(work.path()).mkdir("LumoraTraces"));
  store.write(Setting::SavePath, folder("gone").toStdString());
  LumGetDir chooser(store);
  EXPECT_EQ(chooser.currentFolder(), folder("LumoraTraces"));
}

TEST_F(LumGetDirTest, Load_MissingStoredAndDefaultFoldersOpenTheDriveRoot) {
  store.write(Setting::SavePath, folder("gone").toStdString());
  LumGetDir chooser(store);
  EXPECT_EQ(chooser.currentFolder(), QDir::toNativeSeparators(QDir::rootPath()));
}

TEST_F(LumGetDirTest, Ok_StoresTheFolderOpenedByDoubleClickNotAHighlightedOne) {
  store.write(Setting::SavePath, folder("traces").toStdString());
  LumGetDir chooser(store);
  auto* tree = chooser.findChild<QTreeView*>("ARFolder");
  const QModelIndex old = chooser.folderModel()->index(folder("traces/old"));
  ASSERT_TRUE(old.isValid());
  tree->setCurrentIndex(chooser.folderModel()->index(work.path()));  // highlighted only
  EXPECT_EQ(chooser.currentFolder(), folder("traces"));
  emit tree->doubleClicked(old);
  EXPECT_EQ(chooser.currentFolder(), folder("traces/old"));
  chooser.findChild<QPushButton*>("cmdOk")->click();
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::SavePath), folder("traces/old").toStdString());
}

TEST_F(LumGetDirTest, Ok_AfterChoosingADriveStoresItsRoot) {
  store.write(Setting::SavePath, folder("traces").toStdString());
  LumGetDir chooser(store);
  auto* drives = chooser.findChild<QComboBox*>("arDrive");
  ASSERT_GE(drives->count(), 1);
  emit drives->activated(0);
  chooser.findChild<QPushButton*>("cmdOk")->click();
  EXPECT_EQ(store.read(Setting::SavePath), drives->itemText(0).toStdString());
}

TEST_F(LumGetDirTest, Cancel_StoresNothing) {
  LumGetDir chooser(store);
  ASSERT_TRUE(chooser.openFolder(folder("traces")));
  chooser.findChild<QPushButton*>("cmdCancel")->click();
  EXPECT_EQ(chooser.result(), QDialog::Rejected);
  EXPECT_FALSE(store.readKey("SavePath").has_value());
}

}  // namespace
}  // namespace lumora

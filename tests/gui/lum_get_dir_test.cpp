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

// The stored folder when it exists, else the default folder when that exists, else the root.
TEST_F(LumGetDirTest, Load_OpensOnTheFirstFolderThatExists) {
  const std::pair<const char*, QString> cases[] = {{"traces", folder("traces")},
                                                   {"gone", QDir::toNativeSeparators(QDir::rootPath())}};
  for (const auto& [stored, opened] : cases) {
    store.write(Setting::SavePath, folder(stored).toStdString());
    EXPECT_EQ(LumGetDir(store).currentFolder(), opened) << stored;
  }
  ASSERT_TRUE(QDir(work.path()).mkdir("LumoraTraces"));
  EXPECT_EQ(LumGetDir(store).currentFolder(), folder("LumoraTraces"));
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
  EXPECT_EQ(drives->currentText(), QDir::toNativeSeparators(QDir::rootPath()));  // the stored folder's
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

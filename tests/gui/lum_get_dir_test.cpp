#include "setup/qt/lum_get_dir.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFileSystemModel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTreeView>

#include "base/qt/settings_store.h"
#include "temp_settings.h"
#include "base/core/shared_values.h"

namespace lumora {
namespace {

class LumGetDirTest : public ::testing::Test {
 protected:
  LumGetDirTest() {
    QDir(work.path()).mkpath("traces/old");
    Shared().DefaultSavePath = folder("LumoraTraces").toStdString();  // absent until a test makes it
  }
  ~LumGetDirTest() override { Shared().DefaultSavePath = defaultSaveFolder(); }

  QString folder(const char* name) const { return work.path() + "/" + name; }
  void click(LumGetDir& chooser, const char* button) { chooser.findChild<QPushButton*>(button)->click(); }

  testing::TempSettings settings;
  QTemporaryDir work;
  SettingsStore store;
};

// The stored folder when it exists, else the default folder when that exists, else the root.
TEST_F(LumGetDirTest, Load_OpensOnTheFirstFolderThatExistsAndCancelStoresNothing) {
  store.write(Setting::SavePath, folder("gone").toStdString());
  EXPECT_EQ(LumGetDir(store).currentFolder(), QDir::toNativeSeparators(QDir::rootPath()));
  ASSERT_TRUE(QDir(work.path()).mkdir("LumoraTraces"));
  EXPECT_EQ(LumGetDir(store).currentFolder(), folder("LumoraTraces"));
  store.write(Setting::SavePath, folder("traces").toStdString());
  LumGetDir chooser(store);
  EXPECT_EQ(chooser.currentFolder(), folder("traces"));
  ASSERT_TRUE(chooser.openFolder(folder("traces/old")));
  click(chooser, "cmdCancel");
  EXPECT_EQ(store.read(Setting::SavePath), folder("traces").toStdString());
}

TEST_F(LumGetDirTest, Ok_StoresTheFolderOpenedByDoubleClickNotAHighlightedOne) {
  store.write(Setting::SavePath, folder("traces").toStdString());
  LumGetDir chooser(store);
  auto* tree = chooser.findChild<QTreeView*>("ARFolder");
  const QModelIndex old = chooser.folderModel()->index(folder("traces/old"));
  ASSERT_TRUE(old.isValid());
  tree->setCurrentIndex(chooser.folderModel()->index(work.path()));  // highlighted only
  emit tree->doubleClicked(old);
  click(chooser, "cmdOk");
  EXPECT_EQ(chooser.result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::SavePath), folder("traces/old").toStdString());
}

}  // namespace
}  // namespace lumora

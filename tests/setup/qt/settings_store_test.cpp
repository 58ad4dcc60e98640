#include "setup/qt/settings_store.h"
#include "trace/core/shared_values.h"

#include <gtest/gtest.h>

#include <QFile>

#include "temp_settings.h"

namespace lumora {
namespace {

QString storeFileText(const testing::TempSettings& temp) {
  QFile file(temp.path() + "/Lumora Corvane Trace Server.conf");
  if (!file.open(QIODevice::ReadOnly)) return {};
  return QString::fromUtf8(file.readAll());
}

TEST(SettingsStore, Read_MissingKeysGiveTheTableDefaults) {
  testing::TempSettings temp;
  SettingsStore store;
  EXPECT_EQ(store.read(Setting::Port), "0");
  EXPECT_EQ(store.read(Setting::Speed), "19200");
  EXPECT_EQ(store.read(Setting::SavePath), Shared().DefaultSavePath);
  EXPECT_EQ(store.readWhole(Setting::Speed), 19200);
  EXPECT_EQ(store.readKey("Device3"), std::nullopt);
}

TEST(SettingsStore, Write_StoresDecimalTextInThePropertiesSectionOfTheTitledStore) {
  testing::TempSettings temp;
  SettingsStore store;
  store.write(Setting::Port, 7);
  store.write(Setting::SavePath, "D:\\Traces");
  const QString text = storeFileText(temp);
  EXPECT_TRUE(text.contains("[Properties]")) << text.toStdString();
  EXPECT_TRUE(text.contains("Port=7")) << text.toStdString();
  EXPECT_EQ(SettingsStore{}.read(Setting::SavePath), "D:\\Traces");
}

TEST(SettingsStore, ReadWhole_TakesTheLeadingNumberOfTheText) {
  testing::TempSettings temp;
  SettingsStore store;
  store.write(Setting::Speed, "9600 baud");
  store.write(Setting::Port, "COM3");
  EXPECT_EQ(store.readWhole(Setting::Speed), 9600);
  EXPECT_EQ(store.readWhole(Setting::Port), 0);
}

TEST(SettingsStore, ReadOr_UsesTheFallbackOnlyForAMissingKey) {
  testing::TempSettings temp;
  SettingsStore store;
  EXPECT_EQ(store.readOr(Setting::SavePath, "/opt/lumora"), "/opt/lumora");
  store.write(Setting::SavePath, "");
  EXPECT_EQ(store.readOr(Setting::SavePath, "/opt/lumora"), "");
}

TEST(SettingsStore, Lookup_SeesDeviceKeysAndLaterWrites) {
  testing::TempSettings temp;
  SettingsStore store;
  const SettingLookup lookup = store.lookup();
  EXPECT_EQ(lookup("Device2"), std::nullopt);
  store.writeKey("Device2", "/dev/pts/9");
  EXPECT_EQ(lookup("Device2"), std::optional<std::string>{"/dev/pts/9"});
}

TEST(SettingsStore, Text_KeepsNonAsciiFolderNames) {
  testing::TempSettings temp;
  SettingsStore store;
  store.write(Setting::SavePath, "/home/zo\xc3\xab/Traces");
  EXPECT_EQ(store.read(Setting::SavePath), "/home/zo\xc3\xab/Traces");
}

}  // namespace
}  // namespace lumora

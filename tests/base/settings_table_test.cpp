#include "base/core/settings_table.h"

#include <gtest/gtest.h>

#include "base/core/platform_values.h"
#include "store_of.h"

namespace lumora {
namespace {

using testing::StoreOf;

// Earlier installations stored these names: renaming one loses the user's settings.
TEST(SettingsTable, KeysAndSectionAreThoseEarlierInstallationsWrote) {
  EXPECT_EQ(kSettingsApplicationName, "Lumora Corvane Trace Server");
  EXPECT_EQ(kSettingsSection, "Properties");
  std::string keys;
  for (const SettingInfo& info : kSettingsTable) keys += std::string(info.key) + " ";
  EXPECT_EQ(keys, "Port Speed SavePath AutoStart Prompt DontShow1 VBias HBias ");
  EXPECT_EQ(deviceSettingKey(16), "Device16");
}

TEST(SettingsTable, MissingKeysReadTheirDefaultStoredTextWinsButABlankFolderDoesNot) {
  EXPECT_EQ(readSetting(StoreOf({}), Setting::Speed), "19200");
  EXPECT_EQ(readWholeSetting(nullptr, Setting::Port), 0);
  EXPECT_EQ(readSetting(StoreOf({{"Speed", ""}}), Setting::Speed), "");
  EXPECT_EQ(readWholeSetting(StoreOf({{"Port", "7abc"}}), Setting::Port), 7);
  EXPECT_EQ(readSetting(StoreOf({}), Setting::SavePath), defaultSaveFolder());
  EXPECT_EQ(readSaveFolder(StoreOf({{"SavePath", "/srv/traces"}}), "/d"), "/srv/traces");
  // Mended fault: a blank save folder stored traces in the folder the program ran from.
  EXPECT_EQ(readSaveFolder(StoreOf({{"SavePath", " \t"}}), "/d"), "/d");
}

}  // namespace
}  // namespace lumora

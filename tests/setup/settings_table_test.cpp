#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "setup/core/settings_table.h"
#include "store_of.h"
#include "trace/core/shared_values.h"

namespace lumora {
namespace {

using testing::StoreOf;

TEST(SettingsTable, KeysAndDefaultsAsStored) {
  EXPECT_EQ(SettingsApplicationName, "Lumora Corvane Trace Server");
  EXPECT_EQ(SettingsSection, "Properties");
  const std::pair<std::string_view, std::string_view> expected[] = {
      {"Port", "0"},      {"Speed", "19200"},    {"SavePath", ""},
      {"AutoStart", "0"}, {"Prompt", "0"},       {"DontShow1", "0"},
      {"VBias", "1"},     {"HBias", "1"}};
  ASSERT_EQ(std::size(expected), SettingsTable.size());
  for (std::size_t i = 0; i < SettingsTable.size(); ++i) {
    EXPECT_EQ(SettingsTable[i].Key, expected[i].first);
    EXPECT_EQ(SettingsTable[i].Default, expected[i].second);
    if (SettingsTable[i].Id != Setting::SavePath) {
      EXPECT_EQ(DefaultOf(SettingsTable[i].Id), expected[i].second);
    }
  }
  EXPECT_EQ(InfoOf(Setting::DontShow1).Key, "DontShow1");
  EXPECT_EQ(InfoOf(Setting::HBias).Key, "HBias");
}

TEST(SettingsTable, MissingKeyReadsItsDefault) {
  const SettingLookup empty = StoreOf({});
  EXPECT_EQ(ReadSetting(empty, Setting::Speed), "19200");
  EXPECT_EQ(ReadSetting(empty, Setting::SavePath), Shared().DefaultSavePath);
  EXPECT_EQ(ReadWholeSetting(empty, Setting::Port), 0);
  EXPECT_EQ(ReadWholeSetting(empty, Setting::Speed), 19200);
  EXPECT_EQ(ReadSetting(nullptr, Setting::VBias), "1");
}

TEST(SettingsTable, DefaultSaveFolderFollowsThePlatform) {
#ifdef _WIN32
  EXPECT_EQ(PlatformDefaultSavePath(), "C:\\LumoraTraces");
#else
  const char* home = std::getenv("HOME");
  if (home && *home) {
    EXPECT_EQ(PlatformDefaultSavePath(), std::string(home) + "/LumoraTraces");
  }
#endif
}

TEST(SettingsTable, StoredTextWinsEvenWhenEmpty) {
  const SettingLookup store = StoreOf({{"Speed", "9600"}, {"SavePath", ""}});
  EXPECT_EQ(ReadSetting(store, Setting::Speed), "9600");
  EXPECT_EQ(ReadSetting(store, Setting::SavePath), "");
}

TEST(SettingsTable, NumbersReadTheLeadingNumberRoundedHalfEven) {
  EXPECT_EQ(ReadWholeSetting(StoreOf({{"Port", "7abc"}}), Setting::Port), 7);
  EXPECT_EQ(ReadWholeSetting(StoreOf({{"Port", "COM7"}}), Setting::Port), 0);
  EXPECT_EQ(ReadWholeSetting(StoreOf({{"Port", "2.5"}}), Setting::Port), 2);
  EXPECT_EQ(ReadWholeSetting(StoreOf({{"Port", "3.5"}}), Setting::Port), 4);
  EXPECT_EQ(ReadWholeSetting(StoreOf({{"Speed", "1e99"}}), Setting::Speed), INT32_MAX);
}

TEST(SettingsTable, DeviceKeyNamesThePort) {
  EXPECT_EQ(DeviceSettingKey(1), "Device1");
  EXPECT_EQ(DeviceSettingKey(16), "Device16");
}

}  // namespace
}  // namespace lumora

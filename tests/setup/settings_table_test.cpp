#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>

#include "base/core/settings_table.h"
#include "store_of.h"
#include "base/core/shared_values.h"

namespace lumora {
namespace {

using testing::StoreOf;

// The keys name what earlier installations stored; renaming one loses the user's settings.
TEST(SettingsTable, KeysAndDefaultsAsStored) {
  EXPECT_EQ(SettingsApplicationName, "Lumora Corvane Trace Server");
  EXPECT_EQ(SettingsSection, "Properties");
  const std::pair<Setting, std::string_view> keys[] = {
      {Setting::Port, "Port"},           {Setting::Speed, "Speed"},   {Setting::SavePath, "SavePath"},
      {Setting::AutoStart, "AutoStart"}, {Setting::Prompt, "Prompt"}, {Setting::DontShow1, "DontShow1"},
      {Setting::VBias, "VBias"},         {Setting::HBias, "HBias"}};
  for (const auto& [id, key] : keys) EXPECT_EQ(InfoOf(id).Key, key);
  EXPECT_EQ(DeviceSettingKey(16), "Device16");

  const SettingLookup empty = StoreOf({});
  EXPECT_EQ(ReadSetting(empty, Setting::Speed), "19200");
  EXPECT_EQ(ReadSetting(empty, Setting::SavePath), Shared().DefaultSavePath);
  EXPECT_EQ(ReadWholeSetting(empty, Setting::Port), 0);
  EXPECT_EQ(ReadSetting(nullptr, Setting::VBias), "1");
  EXPECT_EQ(ReadSetting(StoreOf({{"Speed", ""}}), Setting::Speed), "") << "stored text wins even when empty";
  // Mended fault: a blank save folder stored traces in the folder the program ran from.
  EXPECT_EQ(ReadSetting(StoreOf({{"SavePath", " "}}), Setting::SavePath), Shared().DefaultSavePath);
#ifndef _WIN32
  if (const char* home = std::getenv("HOME"); home && *home) {
    EXPECT_EQ(PlatformDefaultSavePath(), std::string(home) + "/LumoraTraces");
  }
#endif
}

TEST(SettingsTable, NumbersReadTheLeadingNumberRoundedHalfEven) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"7abc", 7}, {"COM7", 0}, {"2.5", 2}, {"3.5", 4}, {"1e99", INT32_MAX}};
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(ReadWholeSetting(StoreOf({{"Speed", text}}), Setting::Speed), number) << text;
  }
}

}  // namespace
}  // namespace lumora

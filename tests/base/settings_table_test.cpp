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
  EXPECT_EQ(kSettingsApplicationName, "Lumora Corvane Trace Server");
  EXPECT_EQ(kSettingsSection, "Properties");
  const std::pair<Setting, std::string_view> keys[] = {
      {Setting::Port, "Port"},           {Setting::Speed, "Speed"},   {Setting::SavePath, "SavePath"},
      {Setting::AutoStart, "AutoStart"}, {Setting::Prompt, "Prompt"}, {Setting::DontShow1, "DontShow1"},
      {Setting::VBias, "VBias"},         {Setting::HBias, "HBias"}};
  for (const auto& [id, key] : keys) EXPECT_EQ(infoOf(id).key, key);
  EXPECT_EQ(deviceSettingKey(16), "Device16");

  const SettingLookup empty = StoreOf({});
  EXPECT_EQ(readSetting(empty, Setting::Speed), "19200");
  EXPECT_EQ(readSetting(empty, Setting::SavePath), Shared().DefaultSavePath);
  EXPECT_EQ(readWholeSetting(empty, Setting::Port), 0);
  EXPECT_EQ(readSetting(nullptr, Setting::VBias), "1");
  EXPECT_EQ(readSetting(StoreOf({{"Speed", ""}}), Setting::Speed), "") << "stored text wins even when empty";
  // Mended fault: a blank save folder stored traces in the folder the program ran from.
  EXPECT_EQ(readSetting(StoreOf({{"SavePath", " "}}), Setting::SavePath), Shared().DefaultSavePath);
#ifndef _WIN32
  if (const char* home = std::getenv("HOME"); home && *home) {
    EXPECT_EQ(defaultSaveFolder(), std::string(home) + "/LumoraTraces");
  }
#endif
}

TEST(SettingsTable, NumbersReadTheLeadingNumberRoundedHalfEven) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"7abc", 7}, {"COM7", 0}, {"2.5", 2}, {"3.5", 4}, {"1e99", INT32_MAX}};
  for (const auto& [text, number] : cases) {
    EXPECT_EQ(readWholeSetting(StoreOf({{"Speed", text}}), Setting::Speed), number) << text;
  }
}

}  // namespace
}  // namespace lumora

#include "base/core/settings_table.h"

#include <gtest/gtest.h>

#include "base/core/platform_values.h"
#include "store_of.h"

namespace lumora {

using testing::StoreOf;

// The stored texts are the other installations' own: the setup dialog, the settings store and
// the end-to-end tests meet the key names.
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

}  // namespace lumora

#include "base/qt/settings_store.h"

#include <gtest/gtest.h>

#include <QFile>

#include "temp_settings.h"

namespace lumora {

// Other installations read this file: the store's name, the section and the decimal text.
// Defaults and reading back are met wherever settings are used (the setup dialog's tests).
TEST(SettingsStore, WritesDecimalTextInThePropertiesSectionAndReadsItBack) {
  testing::TempSettings temp;
  SettingsStore store;
  const SettingLookup lookup = store.lookup();
  EXPECT_EQ(lookup("Device2"), std::nullopt);

  store.write(Setting::Port, 7);
  store.write(Setting::SavePath, "/home/zo\xc3\xab/Traces");
  store.writeKey("Device2", "/dev/pts/9");
  QFile file(temp.path() + "/Lumora Corvane Trace Server.conf");
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.contains("[Properties]") && text.contains("Port=7")) << text.toStdString();
  EXPECT_EQ(SettingsStore{}.read(Setting::SavePath), "/home/zo\xc3\xab/Traces");
  EXPECT_EQ(lookup("Device2"), std::optional<std::string>{"/dev/pts/9"}) << "the lookup sees later writes";
  store.restoreKey("Device2", std::nullopt);
  EXPECT_EQ(lookup("Device2"), std::nullopt);
}

}  // namespace lumora

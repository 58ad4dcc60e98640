#include "base/core/settings_table.h"

#include "base/core/number_text.h"
#include "base/core/platform_values.h"

namespace lumora {

static_assert([] {
  for (std::size_t i = 0; i < kSettingsTable.size(); ++i) {
    if (static_cast<std::size_t>(kSettingsTable[i].id) != i) return false;
  }
  return true;
}(), "kSettingsTable must be in the order of Setting");

std::string deviceSettingKey(int port) { return "Device" + std::to_string(port); }

std::string readSetting(const SettingLookup& lookup, Setting setting) {
  if (setting == Setting::SavePath) return readSaveFolder(lookup, defaultSaveFolder());
  std::optional<std::string> stored = lookup ? lookup(infoOf(setting).key) : std::nullopt;
  return stored ? *stored : std::string(infoOf(setting).defaultText);
}

std::string readSaveFolder(const SettingLookup& lookup, std::string_view defaultFolder) {
  std::optional<std::string> stored = lookup ? lookup(infoOf(Setting::SavePath).key) : std::nullopt;
  const bool blank = stored && stored->find_first_not_of(" \t") == std::string::npos;
  return stored && !blank ? *stored : std::string(defaultFolder);
}

std::int32_t readWholeSetting(const SettingLookup& lookup, Setting setting) {
  return roundToWhole(value(readSetting(lookup, setting)));
}

}  // namespace lumora

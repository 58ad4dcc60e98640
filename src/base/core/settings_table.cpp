#include "base/core/settings_table.h"

#include "base/core/number_text.h"
#include "base/core/shared_values.h"

namespace lumora {

static_assert([] {
  for (std::size_t i = 0; i < SettingsTable.size(); ++i) {
    if (static_cast<std::size_t>(SettingsTable[i].Id) != i) return false;
  }
  return true;
}(), "SettingsTable must be in the order of Setting");

std::string DeviceSettingKey(int port) { return "Device" + std::to_string(port); }

std::string DefaultOf(Setting setting) {
  return setting == Setting::SavePath ? Shared().DefaultSavePath : std::string(InfoOf(setting).Default);
}

std::string ReadSetting(const SettingLookup& lookup, Setting setting) {
  std::optional<std::string> stored = lookup ? lookup(InfoOf(setting).Key) : std::nullopt;
  // A blank save folder (only a hand-edit stores one) would put traces wherever the program
  // happened to be started from.
  const bool blankFolder = setting == Setting::SavePath && stored && stored->find_first_not_of(" \t") == std::string::npos;
  return stored && !blankFolder ? *stored : DefaultOf(setting);
}

std::int32_t ReadWholeSetting(const SettingLookup& lookup, Setting setting) {
  return roundToWhole(value(ReadSetting(lookup, setting)));
}

}  // namespace lumora

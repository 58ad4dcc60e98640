#include "base/core/settings_table.h"

#include "base/core/number_text.h"
#include "base/core/shared_values.h"

namespace lumora {

static_assert([] {
  for (std::size_t i = 0; i < kSettingsTable.size(); ++i) {
    if (static_cast<std::size_t>(kSettingsTable[i].id) != i) return false;
  }
  return true;
}(), "kSettingsTable must be in the order of Setting");

std::string deviceSettingKey(int port) { return "Device" + std::to_string(port); }

std::string defaultOf(Setting setting) {
  return setting == Setting::SavePath ? Shared().DefaultSavePath : std::string(infoOf(setting).defaultText);
}

std::string readSetting(const SettingLookup& lookup, Setting setting) {
  std::optional<std::string> stored = lookup ? lookup(infoOf(setting).key) : std::nullopt;
  // A blank save folder (only a hand-edit stores one) would put traces wherever the program
  // happened to be started from.
  const bool blankFolder = setting == Setting::SavePath && stored && stored->find_first_not_of(" \t") == std::string::npos;
  return stored && !blankFolder ? *stored : defaultOf(setting);
}

std::int32_t readWholeSetting(const SettingLookup& lookup, Setting setting) {
  return roundToWhole(value(readSetting(lookup, setting)));
}

}  // namespace lumora

#include "setup/core/settings_table.h"

#include "trace/core/numtext.h"

namespace lumora {

static_assert([] {
  for (std::size_t i = 0; i < SettingsTable.size(); ++i) {
    if (static_cast<std::size_t>(SettingsTable[i].Id) != i) return false;
  }
  return true;
}(), "SettingsTable must be in the order of Setting");

std::string DeviceSettingKey(int port) { return "Device" + std::to_string(port); }

std::string ReadSetting(const SettingLookup& lookup, Setting setting) {
  const SettingInfo& info = InfoOf(setting);
  std::optional<std::string> stored = lookup ? lookup(info.Key) : std::nullopt;
  return stored ? *stored : std::string{info.Default};
}

std::int32_t ReadWholeSetting(const SettingLookup& lookup, Setting setting) {
  return roundToWhole(value(ReadSetting(lookup, setting)));
}

}  // namespace lumora

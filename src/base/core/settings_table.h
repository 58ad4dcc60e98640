// Every setting of the program: its key, the section it lives in and the default read back
// when it is missing. The store itself is a platform service; this table is the one place
// that knows the names.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "base/core/app_identity.h"

namespace lumora {

enum class Setting { Port, Speed, SavePath, AutoStart, Prompt, BypassNotification, VBias, HBias };

struct SettingInfo {
  Setting id;
  std::string_view key;
  std::string_view defaultText;  // returned when the key is missing
};

// The store is addressed by application name and section; every key lives in this section.
inline constexpr std::string_view kSettingsApplicationName = kApplicationTitle;
inline constexpr std::string_view kSettingsSection = "Properties";

inline constexpr std::array<SettingInfo, 8> kSettingsTable{{
    {Setting::Port, "Port", "0"},  // 1 to 16; 0 = no port configured
    {Setting::Speed, "Speed", "19200"},  // bits per second
    {Setting::SavePath, "SavePath", ""},  // unused: see readSaveFolder()
    {Setting::AutoStart, "AutoStart", "0"},  // check-box states "0"/"1"
    {Setting::Prompt, "Prompt", "0"},
    {Setting::BypassNotification, "DontShow1", "0"},
    {Setting::VBias, "VBias", "1"},  // screen calibration factors
    {Setting::HBias, "HBias", "1"},
}};

constexpr const SettingInfo& infoOf(Setting setting) {
  return kSettingsTable[static_cast<std::size_t>(setting)];
}

// Key of the optional setting that names the device behind port `port` where ports are not
// COM ports ("Device7" for port 7).
std::string deviceSettingKey(int port);

// Reads one key of the section; nothing when the key is missing.
using SettingLookup = std::function<std::optional<std::string>(std::string_view key)>;

// The stored text of `setting`, or its default when it is missing. The save folder reads as
// readSaveFolder() with the platform's default folder.
std::string readSetting(const SettingLookup& lookup, Setting setting);

// The stored save folder, or `defaultFolder` when none is stored or the stored text holds
// nothing but blanks and tabs (only a hand-edit stores that; taken as it is, it would put
// traces wherever the program happened to be started from).
std::string readSaveFolder(const SettingLookup& lookup, std::string_view defaultFolder);

// The stored number: the leading number of the text rounded to a whole number (halves to the
// even neighbour), 0 when the text has none.
std::int32_t readWholeSetting(const SettingLookup& lookup, Setting setting);

}  // namespace lumora

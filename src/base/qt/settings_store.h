// The per-user settings store on QSettings: section "Properties" of the store named after the
// application title (on Linux the file "<config folder>/Lumora Corvane Trace Server.conf", on
// Windows HKEY_CURRENT_USER\Software\Lumora Corvane Trace Server). Keys and defaults come
// from the settings table. Writes that fail are dropped without a message.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/core/settings_table.h"

namespace lumora {

class SettingsStore {
 public:
  // The stored text, or the setting's default when the key is missing.
  std::string read(Setting setting) const;
  // The stored text, or `fallback` when the key is missing.
  std::string readOr(Setting setting, std::string_view fallback) const;
  // The stored number (leading number of the text, halves to even), default when missing.
  std::int32_t readWhole(Setting setting) const;
  // Any key of the section, such as "Device7"; nothing when it is missing.
  std::optional<std::string> readKey(std::string_view key) const;

  void write(Setting setting, std::string_view text);
  // Numbers are stored as decimal digits without blanks.
  void write(Setting setting, std::int32_t number);
  void writeKey(std::string_view key, std::string_view text);
  // Puts a key back as readKey found it: written, or removed when it was missing.
  void restoreKey(std::string_view key, const std::optional<std::string>& text);

  // A lookup into this store for the Qt-free code.
  SettingLookup lookup() const;
};

}  // namespace lumora

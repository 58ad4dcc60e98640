// A settings lookup over fixed values, for the Qt-free setup tests.
#pragma once

#include <map>
#include <string>

#include "base/core/settings_table.h"

namespace lumora::testing {

inline SettingLookup StoreOf(std::map<std::string, std::string, std::less<>> values) {
  return [values = std::move(values)](std::string_view key) -> std::optional<std::string> {
    auto found = values.find(key);
    if (found == values.end()) return std::nullopt;
    return found->second;
  };
}

}  // namespace lumora::testing

// Command-line options of the form "--name value" mixed with positional arguments.
#pragma once

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "trace/core/side.h"

namespace lumora::tool {

struct Options {
  std::vector<std::string> positional;
  std::map<std::string, std::string> values;  // "--name value"
  std::set<std::string> flags;                // "--name" alone
  std::string error;                          // set when the arguments do not parse
};

// `valued` names the options that take a value, `flagNames` those that do not.
Options parseOptions(const std::vector<std::string>& args, const std::set<std::string>& valued,
                     const std::set<std::string>& flagNames);

// A finite decimal number ("40", "40.5"), or nothing.
std::optional<double> numberArg(const std::string& text);
// A whole number from -32768 to 32767, or nothing.
std::optional<int> intArg(const std::string& text);
// 0 the right eye, 1 the left eye; nothing for any other number.
std::optional<Side> sideOf(int number);
// sideOf the whole number `text`.
std::optional<Side> sideArg(const std::string& text);

}  // namespace lumora::tool

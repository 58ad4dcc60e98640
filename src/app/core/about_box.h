// What the programs say about themselves: the about box's text (version, the link's port and
// line settings, the save folder) and the answers to --version and --help.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lumora {

struct AppVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

// The version this program was built as.
AppVersion programVersion();

// "Version " major "." minor revision: the revision follows the minor number directly, so
// 2, 4, 7 reads "Version 2.47" and 3, 0, 12 reads "Version 3.012".
std::string versionLine(const AppVersion& version);

// The about box's text. `configuredPort` is the port number the main window holds, written
// as plain digits; `linkSettings` the live port's settings text ("19200,N,8,1").
std::string aboutText(const AppVersion& version, std::int16_t configuredPort,
                      std::string_view linkSettings, std::string_view savePath);

// What --version prints: the program's name and the version the project is built as
// ("lumora-trace 1.0.0"), with a line end.
std::string versionText(std::string_view program);

// A tool's answer to --help or --version given alone: `usage`, or versionText(program).
// Nothing for any other command line.
std::optional<std::string> helpOrVersion(const std::vector<std::string>& args, std::string_view program,
                                         std::string_view usage);

}  // namespace lumora

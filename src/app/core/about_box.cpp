#include "app/core/about_box.h"

namespace lumora {

AppVersion programVersion() {
  return {LUMORA_VERSION_MAJOR, LUMORA_VERSION_MINOR, LUMORA_VERSION_REVISION};
}

std::string versionLine(const AppVersion& version) {
  return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) +
         std::to_string(version.revision);
}

std::string aboutText(const AppVersion& version, std::int16_t configuredPort,
                      std::string_view linkSettings, std::string_view savePath) {
  std::string text = versionLine(version);
  text += "\n\nCOM:";
  text += std::to_string(configuredPort);
  text += "  ";
  text += linkSettings;
  text += "\n\nSave Path: ";
  text += savePath;
  return text;
}

std::string versionText(std::string_view program) {
  const AppVersion v = programVersion();
  return std::string(program) + " " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
         std::to_string(v.revision) + "\n";
}

std::optional<std::string> helpOrVersion(const std::vector<std::string>& args, std::string_view program,
                                         std::string_view usage) {
  if (args.size() != 1) return std::nullopt;
  if (args[0] == "--help" || args[0] == "-h") return std::string(usage);
  if (args[0] == "--version") return versionText(program);
  return std::nullopt;
}

}  // namespace lumora

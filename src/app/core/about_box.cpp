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

}  // namespace lumora

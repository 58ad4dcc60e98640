#include "app/core/about_box.h"

namespace lumora {

AppVersion ProgramVersion() {
  return {LUMORA_VERSION_MAJOR, LUMORA_VERSION_MINOR, LUMORA_VERSION_REVISION};
}

std::string VersionLine(const AppVersion& version) {
  return "Version " + std::to_string(version.Major) + "." + std::to_string(version.Minor) +
         std::to_string(version.Revision);
}

std::string AboutText(const AppVersion& version, std::int16_t configuredPort,
                      std::string_view linkSettings, std::string_view savePath) {
  std::string text = VersionLine(version);
  text += "\n\nCOM:";
  text += std::to_string(configuredPort);
  text += "  ";
  text += linkSettings;
  text += "\n\nSave Path: ";
  text += savePath;
  return text;
}

}  // namespace lumora

#include "app/core/shell_texts.h"

namespace lumora {

std::string MainWindowCaption(const AppVersion& version) {
  return "Corvane Lumora Trace Server v" + std::to_string(version.Major) + "." + std::to_string(version.Minor) +
         std::to_string(version.Revision);
}

std::optional<std::string> PortOpenProblem(int port, bool opened) {
  if (!portNumberUsable(port)) return kNoComPort;
  if (!opened) return kComPortNotOpened;
  return std::nullopt;
}

}  // namespace lumora

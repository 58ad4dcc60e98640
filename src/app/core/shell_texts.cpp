#include "app/core/shell_texts.h"

namespace lumora {

std::string mainWindowCaption(const AppVersion& version) {
  return "Corvane Lumora Trace Server v" + std::to_string(version.major) + "." + std::to_string(version.minor) +
         std::to_string(version.revision);
}

std::optional<Problem> portOpenProblem(int port, bool opened) {
  if (!portNumberUsable(port)) return Problem{kNoComPort};
  if (!opened) return Problem{kComPortNotOpened};
  return std::nullopt;
}

}  // namespace lumora

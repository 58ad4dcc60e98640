#include <cstdlib>

#include "base/core/platform_values.h"

namespace lumora {

std::string PlatformDefaultSavePath() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/LumoraTraces" : std::string("LumoraTraces");
}

std::vector<std::string> ProgramArguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

}  // namespace lumora

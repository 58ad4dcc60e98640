#include <cstdlib>

#include "base/core/platform_values.h"

namespace lumora {

std::string defaultSaveFolder() {
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/LumoraTraces" : std::string("LumoraTraces");
}

std::string everyFileFilter() { return "*"; }

std::vector<std::string> programArguments(int argc, char** argv) { return std::vector<std::string>(argv + 1, argv + argc); }

}  // namespace lumora

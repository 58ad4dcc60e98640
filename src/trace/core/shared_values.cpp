#include "trace/core/shared_values.h"

#include <cstdlib>

namespace lumora {

std::string PlatformDefaultSavePath() {
#ifdef _WIN32
  return "C:\\LumoraTraces";
#else
  const char* home = std::getenv("HOME");
  return home && *home ? std::string(home) + "/LumoraTraces" : std::string("LumoraTraces");
#endif
}

SharedValues& Shared() {
  static SharedValues values;
  return values;
}

namespace {
std::function<void()>& beepHandler() {
  static std::function<void()> handler;
  return handler;
}
}  // namespace

void SoundBeep() {
  if (beepHandler()) beepHandler()();
}

void SetBeepHandler(std::function<void()> handler) { beepHandler() = std::move(handler); }

}  // namespace lumora

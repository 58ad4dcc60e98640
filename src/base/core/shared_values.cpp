#include "base/core/shared_values.h"

namespace lumora {

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

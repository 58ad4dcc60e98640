#include "setup/core/port_choice.h"

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"

namespace lumora {
namespace {

constexpr std::int32_t kSlowestRefusedAbove = 300;  // bits per second
constexpr std::int32_t kFastestRefusedFrom = 256000;

}  // namespace

PortClick classifyPortClick(std::string_view entryText, bool tickedNow) {
  const std::string upper = asciiUpper(entryText);
  if (upper.find("MODEM") != std::string::npos ||
      upper.find("NOT AVAILABLE") != std::string::npos) {
    return PortClick::Refused;
  }
  return tickedNow ? PortClick::Chosen : PortClick::Cleared;
}

std::string speedQuestionPrompt(int port) {
  return "Please enter the desired serial port speed for the COM" + std::to_string(port) +
         " device (110, 300, 1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200)";
}

SpeedAnswer readSpeedAnswer(std::string_view answer) {
  if (answer.empty()) return {SpeedAnswer::Kind::Stop, 0};
  const std::int32_t speed = roundToWhole(value(answer));
  if (speed <= kSlowestRefusedAbove || speed >= kFastestRefusedFrom) {
    return {SpeedAnswer::Kind::AskAgain, 0};
  }
  return {SpeedAnswer::Kind::Accept, speed};
}

}  // namespace lumora

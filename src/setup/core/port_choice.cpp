#include "setup/core/port_choice.h"

#include "base/core/ascii_text.h"
#include "base/core/number_text.h"
#include "setup/core/port_list.h"

namespace lumora {
namespace {

constexpr std::int32_t kSlowestRefusedAbove = 300;  // bits per second
constexpr std::int32_t kFastestRefusedFrom = 256000;

bool mentions(std::string_view entryText, std::string_view upperWord) {
  return asciiUpper(entryText).find(upperWord) != std::string::npos;
}

}  // namespace

PortClick classifyPortClick(std::string_view entryText, bool tickedNow) {
  if (mentions(entryText, "MODEM") || mentions(entryText, "NOT AVAILABLE")) return PortClick::Refused;
  return tickedNow ? PortClick::Chosen : PortClick::Cleared;
}

std::string portEntryTip(int port, std::string_view entryText, std::string_view device) {
  std::string tip;
  if (device != "COM" + std::to_string(port)) tip = "Device " + std::string(device);
  const auto add = [&tip](const char* why) { tip += (tip.empty() ? "" : ": ") + std::string(why); };
  if (mentions(entryText, "MODEM"))
    add("a modem answers here, so it cannot be the tracer's port");
  else if (mentions(entryText, "NOT AVAILABLE"))
    add("it cannot be opened (no such device, or another program holds it)");
  else if (entryText.ends_with(kNotOpenSuffix))
    add("the tracer's port, but it is not open (the device is missing or held elsewhere)");
  return tip;
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

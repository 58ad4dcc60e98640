#include "setup/core/port_list.h"

namespace lumora {
namespace {

// A number as the list writes it: one blank, then the digits.
std::string blankNumber(std::int64_t number) { return " " + std::to_string(number); }

std::string portText(int port) { return "COM:" + blankNumber(port); }

}  // namespace

PortList initialPortList(std::int32_t configuredPort, std::int32_t configuredSpeed) {
  PortList list;
  for (int i = 0; i < kPortCount; ++i) {
    const int port = i + 1;
    PortEntry& entry = list[static_cast<std::size_t>(i)];
    entry.text = portText(port);
    if (port == configuredPort) {
      entry.text += "\t" + blankNumber(configuredSpeed) + " 8,n,1";
      entry.ticked = true;
    }
  }
  return list;
}

std::vector<std::string> widestEntryTexts(std::int32_t configuredSpeed) {
  const std::string configured = initialPortList(kPortCount, configuredSpeed).back().text;
  const std::string last = portText(kPortCount);
  return {configured + std::string(kInUseSuffix), configured + std::string(kNotOpenSuffix),
          last + std::string(kAvailableSuffix), last + std::string(kNotAvailableSuffix),
          modemEntryText(kPortCount, kProbeSpeeds.back())};
}

std::string modemEntryText(int port, std::int32_t speed) {
  return portText(port) + "  (Modem - " + std::to_string(speed) + " Max Speed)";
}

}  // namespace lumora

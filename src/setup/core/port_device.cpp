#include "setup/core/port_device.h"

#include "base/core/app_identity.h"

namespace lumora {

std::string windowsPortDevice(int port) {
  if (!portNumberUsable(port)) return {};
  return "COM" + std::to_string(port);
}

std::string posixPortDevice(int port, const SettingLookup& lookup) {
  if (!portNumberUsable(port)) return {};
  if (lookup) {
    std::optional<std::string> configured = lookup(deviceSettingKey(port));
    if (configured && !configured->empty()) return *configured;
  }
  if (port <= 4) return "/dev/ttyS" + std::to_string(port - 1);
  if (port <= 12) return "/dev/ttyUSB" + std::to_string(port - 5);
  return "/dev/ttyACM" + std::to_string(port - 13);
}

}  // namespace lumora

#include "setup/core/port_device.h"

namespace lumora {

std::string portDevice(int port, const SettingLookup& lookup) { return posixPortDevice(port, lookup); }

}  // namespace lumora

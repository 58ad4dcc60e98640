#include "setup/core/port_device.h"

namespace lumora {

// A "DeviceN" setting names nothing here: the ports are the system's COM ports.
std::string portDevice(int port, const SettingLookup&) { return windowsPortDevice(port); }

}  // namespace lumora

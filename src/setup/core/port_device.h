// Which device stands behind serial port number 1 to 16. Ports outside 1 to 16 have no
// device: the result is then empty.
#pragma once

#include <string>

#include "base/core/settings_table.h"

namespace lumora {

// Windows: port N is "COMN".
std::string windowsPortDevice(int port);

// Elsewhere: the setting "DeviceN" when it holds a non-empty text, else ports 1-4 are
// /dev/ttyS0-3, 5-12 /dev/ttyUSB0-7 and 13-16 /dev/ttyACM0-3.
std::string posixPortDevice(int port, const SettingLookup& lookup);

// The device of `port` on the platform the program was built for (port_device_posix.cpp,
// port_device_windows.cpp).
std::string portDevice(int port, const SettingLookup& lookup);

}  // namespace lumora

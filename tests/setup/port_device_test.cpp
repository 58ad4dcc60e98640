#include "setup/core/port_device.h"

#include <gtest/gtest.h>

#include "store_of.h"

namespace lumora {

// A wrong device here opens the wrong line, and the tracer is never heard.
TEST(PortDevice, DefaultDevicesBySerialFamilyUnlessADeviceSettingNamesOne) {
  const SettingLookup store = testing::StoreOf({{"Device7", "/dev/pts/4"}, {"Device8", ""}, {"Device17", "/dev/y"}});
  const std::pair<int, const char*> cases[] = {
      {1, "/dev/ttyS0"},    {4, "/dev/ttyS3"},    {5, "/dev/ttyUSB0"}, {12, "/dev/ttyUSB7"},
      {13, "/dev/ttyACM0"}, {16, "/dev/ttyACM3"}, {7, "/dev/pts/4"},
      {8, "/dev/ttyUSB3"},  // an empty setting names nothing
      {0, ""},              {17, ""}};
  for (const auto& [port, device] : cases) EXPECT_EQ(posixPortDevice(port, store), device) << port;
  const std::pair<int, const char*> windows[] = {{1, "COM1"}, {16, "COM16"}, {0, ""}, {17, ""}};
  for (const auto& [port, device] : windows) EXPECT_EQ(windowsPortDevice(port), device) << port;
}

}  // namespace lumora

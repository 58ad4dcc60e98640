#include <gtest/gtest.h>

#include "setup/core/port_device.h"
#include "store_of.h"

namespace lumora {
namespace {

using testing::StoreOf;

TEST(PortDevice, DefaultDevicesBySerialFamilyUnlessADeviceSettingNamesOne) {
  const SettingLookup store = StoreOf({{"Device7", "/dev/pts/4"}, {"Device8", ""}});
  const std::pair<int, const char*> cases[] = {
      {1, "/dev/ttyS0"},   {4, "/dev/ttyS3"},   {5, "/dev/ttyUSB0"}, {12, "/dev/ttyUSB7"},
      {13, "/dev/ttyACM0"}, {16, "/dev/ttyACM3"}, {7, "/dev/pts/4"},
      {8, "/dev/ttyUSB3"}};  // an empty setting names nothing
  for (const auto& [port, device] : cases) EXPECT_EQ(PosixPortDevice(port, store), device) << port;
}

TEST(PortDevice, WindowsPortsAreComNAndOnlyOneToSixteenHaveADevice) {
  EXPECT_EQ(WindowsPortDevice(1), "COM1");
  EXPECT_EQ(WindowsPortDevice(16), "COM16");
  const SettingLookup store = StoreOf({{"Device0", "/dev/x"}, {"Device17", "/dev/y"}});
  for (int port : {0, 17, -3}) {
    EXPECT_EQ(PosixPortDevice(port, store), "") << port;
    EXPECT_EQ(WindowsPortDevice(port), "") << port;
  }
}

TEST(PortDevice, PlatformChoiceMatchesTheBuild) {
#ifdef _WIN32
  EXPECT_EQ(PortDevice(2, StoreOf({{"Device2", "/dev/pts/9"}})), "COM2");
#else
  EXPECT_EQ(PortDevice(2, StoreOf({{"Device2", "/dev/pts/9"}})), "/dev/pts/9");
  EXPECT_EQ(PortDevice(3, nullptr), "/dev/ttyS2");
#endif
}

}  // namespace
}  // namespace lumora

#include <gtest/gtest.h>

#include "setup/core/port_device.h"
#include "store_of.h"

namespace lumora {
namespace {

using testing::StoreOf;

TEST(PortDevice, DefaultDevicesBySerialFamily) {
  const SettingLookup none = StoreOf({});
  EXPECT_EQ(PosixPortDevice(1, none), "/dev/ttyS0");
  EXPECT_EQ(PosixPortDevice(4, none), "/dev/ttyS3");
  EXPECT_EQ(PosixPortDevice(5, none), "/dev/ttyUSB0");
  EXPECT_EQ(PosixPortDevice(12, none), "/dev/ttyUSB7");
  EXPECT_EQ(PosixPortDevice(13, none), "/dev/ttyACM0");
  EXPECT_EQ(PosixPortDevice(16, none), "/dev/ttyACM3");
}

TEST(PortDevice, DeviceSettingOverridesOnlyItsPort) {
  const SettingLookup store = StoreOf({{"Device7", "/dev/pts/4"}, {"Device8", ""}});
  EXPECT_EQ(PosixPortDevice(7, store), "/dev/pts/4");
  EXPECT_EQ(PosixPortDevice(6, store), "/dev/ttyUSB1");
  EXPECT_EQ(PosixPortDevice(8, store), "/dev/ttyUSB3");  // an empty setting names nothing
}

TEST(PortDevice, PortsOutsideOneToSixteenHaveNoDevice) {
  const SettingLookup store = StoreOf({{"Device0", "/dev/x"}, {"Device17", "/dev/y"}});
  EXPECT_EQ(PosixPortDevice(0, store), "");
  EXPECT_EQ(PosixPortDevice(17, store), "");
  EXPECT_EQ(PosixPortDevice(-3, store), "");
  EXPECT_EQ(WindowsPortDevice(0), "");
  EXPECT_EQ(WindowsPortDevice(17), "");
}

TEST(PortDevice, WindowsPortsAreComN) {
  EXPECT_EQ(WindowsPortDevice(1), "COM1");
  EXPECT_EQ(WindowsPortDevice(16), "COM16");
}

TEST(PortDevice, PlatformChoiceMatchesTheBuild) {
  const SettingLookup store = StoreOf({{"Device2", "/dev/pts/9"}});
#ifdef _WIN32
  EXPECT_EQ(PortDevice(2, store), "COM2");
#else
  EXPECT_EQ(PortDevice(2, store), "/dev/pts/9");
  EXPECT_EQ(PortDevice(3, nullptr), "/dev/ttyS2");
#endif
}

}  // namespace
}  // namespace lumora

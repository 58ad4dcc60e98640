#include "setup/core/port_choice.h"

#include <gtest/gtest.h>

#include <tuple>

namespace lumora {

// Ticking, unticking and a not-available entry are met by the setup dialog's tests.
TEST(PortClick, ModemEntriesAreRefusedWhateverTheCase) {
  EXPECT_EQ(classifyPortClick("COM: 2  (Modem - 57600 Max Speed)", true), PortClick::Refused);
  EXPECT_EQ(classifyPortClick("COM: 5 (not available)", true), PortClick::Refused);
}

// The tip names a device not called after its port, and says why an entry cannot be chosen
// or is not in use.
TEST(PortEntryTip, NamesTheDeviceAndWhyAPortCannotServe) {
  EXPECT_EQ(portEntryTip(3, "COM: 3  (Available)", "COM3"), "");
  EXPECT_EQ(portEntryTip(3, "COM: 3  (Available)", "/dev/ttyS2"), "Device /dev/ttyS2");
  EXPECT_EQ(portEntryTip(2, "COM: 2 (Not Available)", "COM2"),
            "it cannot be opened (no such device, or another program holds it)");
  EXPECT_TRUE(portEntryTip(1, "COM: 1\t 19200 8,n,1 (Not Open)", "/dev/ttyUSB0")
                  .starts_with("Device /dev/ttyUSB0: the tracer's port, but it is not open"));
  EXPECT_TRUE(portEntryTip(1, "COM: 1  (Modem - 57600 Max Speed)", "COM1").starts_with("a modem answers here"));
}

// Only speeds strictly between 300 and 256000 are taken, rounded half to even.
TEST(SpeedQuestion, EmptyStopsSpeedsOutsideTheOpenRangeAreAskedAgain) {
  using Kind = SpeedAnswer::Kind;
  const std::tuple<const char*, Kind, std::int32_t> cases[] = {
      {"", Kind::Stop, 0},          {"300", Kind::AskAgain, 0},    {"256000", Kind::AskAgain, 0},
      {"abc", Kind::AskAgain, 0},   {"1e9", Kind::AskAgain, 0},    {"300.5", Kind::AskAgain, 0},
      {"301", Kind::Accept, 301},   {"255999", Kind::Accept, 255999}, {"9600 baud", Kind::Accept, 9600},
      {"301.5", Kind::Accept, 302}};
  for (const auto& [answer, kind, speed] : cases) {
    const SpeedAnswer read = readSpeedAnswer(answer);
    EXPECT_EQ(read.kind, kind) << answer;
    EXPECT_EQ(read.speed, speed) << answer;
  }
}

}  // namespace lumora

#include <gtest/gtest.h>

#include "setup/core/port_list.h"

namespace lumora {
namespace {

TEST(PortList, UnconfiguredPortsReadComBlankNumber) {
  const PortList list = InitialPortList(0, 19200);
  EXPECT_EQ(list[0].Text, "COM: 1");
  EXPECT_EQ(list[6].Text, "COM: 7");
  EXPECT_EQ(list[15].Text, "COM: 16");
  for (const PortEntry& entry : list) {
    EXPECT_FALSE(entry.Ticked);
    EXPECT_EQ(entry.State, PortState::Unprobed);
  }
}

TEST(PortList, ConfiguredPortShowsTabSpeedAndLineAndIsTicked) {
  const PortList list = InitialPortList(3, 19200);
  EXPECT_EQ(list[2].Text, "COM: 3\t 19200 8,n,1");
  EXPECT_TRUE(list[2].Ticked);
  EXPECT_EQ(list[1].Text, "COM: 2");
  EXPECT_FALSE(list[1].Ticked);
  EXPECT_FALSE(list[3].Ticked);
}

TEST(PortList, PortOutsideOneToSixteenTicksNothing) {
  for (std::int32_t port : {0, 17, -1, 1000}) {
    const PortList list = InitialPortList(port, 9600);
    for (const PortEntry& entry : list) {
      EXPECT_FALSE(entry.Ticked) << port;
      EXPECT_EQ(entry.Text.find('\t'), std::string::npos) << port;
    }
  }
}

TEST(PortList, ModemTextReplacesTheEntry) {
  EXPECT_EQ(ModemEntryText(2, 57600), "COM: 2  (Modem - 57600 Max Speed)");
  EXPECT_EQ(ModemEntryText(16, 110), "COM: 16  (Modem - 110 Max Speed)");
}

TEST(PortList, LineSettingsAreSpeedThenNoParityEightDataOneStop) {
  EXPECT_EQ(LineSettingsText(1200), "1200,n,8,1");
  EXPECT_EQ(LineSettingsText(256000), "256000,n,8,1");
}

TEST(PortList, ProbeSpeedsAscendFrom110To256000) {
  EXPECT_EQ(ProbeSpeedList.front(), 110);
  EXPECT_EQ(ProbeSpeedList[6], 9600);
  EXPECT_EQ(ProbeSpeedList[11], 56000);
  EXPECT_EQ(ProbeSpeedList[12], 57600);
  EXPECT_EQ(ProbeSpeedList.back(), 256000);
  for (std::size_t i = 1; i < ProbeSpeedList.size(); ++i) {
    EXPECT_LT(ProbeSpeedList[i - 1], ProbeSpeedList[i]);
  }
}

}  // namespace
}  // namespace lumora

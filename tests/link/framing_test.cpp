#include "link/core/framing.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(Crc, MatchesKnownValues) {
  EXPECT_EQ(CRC16("123456789"), 12739);  // the XMODEM check value
  EXPECT_EQ(CRC16("REQ=INI\r\x1e"), 13402);
  EXPECT_EQ(CRC16("\xff"), 0x1EF0);  // all eight bits of a high character count
}

TEST(FramePacket, ExactBytesWithAndWithoutCrc) {
  EXPECT_EQ(FramePacket({{"ANS=", "INI"}, {"STATUS=", "15"}}, true),
            "\x1c"
            "ANS=INI\r\nSTATUS=15\r\n\x1e"
            "CRC=25004\r\n\x1d");
  EXPECT_EQ(FramePacket({{"B=", "2"}, {"A=", "1"}}, false),
            "\x1c"
            "B=2\r\nA=1\r\n\x1e\x1d");
  EXPECT_EQ(BuildCrcRecord("", true), "CRC=0\r\n");
}

TEST(IncomingCrc, IsCheckedOverTheBytesAfterFsThroughRs) {
  const std::string records = "REQ = INI\r\x1e";
  const std::string blanksAsSent = "CRC=" + std::to_string(CRC16(records)) + "\r\n\x1d";
  const std::string narrow = "CRC=" + std::to_string(CRC16("REQ=INI\r")) + "\r\n\x1d";
  const struct {
    std::string packet;
    CrcCheck expected;
  } cases[] = {
      {"\x1cREQ=INI\r\x1e\x1d", CrcCheck::Absent},
      {"\x1cREQ=INI\rCRC=13402\r\x1e\x1d", CrcCheck::Absent},  // not after RS
      {"\x1cREQ=INI\r\x1e"
       "CRC=13402\r\n\x1d",
       CrcCheck::Good},
      {"\x1cREQ=INI\r\x1e CRC = 13402\r\n\x1d", CrcCheck::Good},
      {"junk\x1cREQ=INI\r\x1e"
       "CRC=13402\r\n\x1d",
       CrcCheck::Good},  // from its own FS
      {"\x1c" + records + blanksAsSent, CrcCheck::Good},
      {"\x1cREQ=INI\r\x1e" + narrow, CrcCheck::Bad},  // RS left out of the span
      {"\x1cREQ=INI\r\x1e"
       "CRC=13403\r\n\x1d",
       CrcCheck::Bad},
      {"\x1cREQ=INI\r\x1e"
       "CRC=\r\n\x1d",
       CrcCheck::Bad},
      {"\x1cREQ=INI\r\x1e"
       "CRC=x\r\n\x1d",
       CrcCheck::Bad},
      {"\x1cREQ=INI\r\x1e"
       "CRC=78938\r\n\x1d",
       CrcCheck::Bad},  // 13402 + 65536
      {"\x1cREQ=INI\r\x1e"
       "CRC=0000013402\r\n\x1d",
       CrcCheck::Bad},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.packet);
    EXPECT_EQ(CheckIncomingCrc(c.packet), c.expected);
  }
}

TEST(Burst, CompletePacketAndRequestMarkers) {
  EXPECT_TRUE(IsCompletePacket("\x1cREQ=INI\r\x1e\x1d"));
  for (const char* burst :
       {"\x06\x1cREQ=INI\r\x1e\x1d", "\x1cREQ=INI\r\x1e", "\x1cREQ=INI\r\x1d", ""})
    EXPECT_FALSE(IsCompletePacket(burst)) << burst;
  for (const char* marker : {"REQ=", "REQ =", "ANS=", "ANS =", "INI=", "INI ="})
    EXPECT_TRUE(HasRequestMarker(std::string("x") + marker + "y")) << marker;
  for (const char* text : {"req=INI", "REQ  =INI", "JOB=1"})
    EXPECT_FALSE(HasRequestMarker(text)) << text;
}

}  // namespace
}  // namespace lumora

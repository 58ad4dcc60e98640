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

// "REQ=INI" with `crcRecord` after its RS.
std::string iniWith(const std::string& crcRecord) {
  return "\x1cREQ=INI\r\x1e" + crcRecord + "\r\n\x1d";
}

TEST(IncomingCrc, IsCheckedOverTheBytesAfterFsThroughRs) {
  const std::string records = "REQ = INI\r\x1e";
  const std::pair<std::string, CrcCheck> cases[] = {
      {"\x1cREQ=INI\r\x1e\x1d", CrcCheck::Absent},
      {"\x1cREQ=INI\rCRC=13402\r\x1e\x1d", CrcCheck::Absent},  // not after RS
      {iniWith("CRC=13402"), CrcCheck::Good},
      {iniWith(" CRC = 13402"), CrcCheck::Good},
      {"junk" + iniWith("CRC=13402"), CrcCheck::Good},  // the span starts at its own FS
      {"\x1c" + records + "CRC=" + std::to_string(CRC16(records)) + "\r\n\x1d", CrcCheck::Good},
      {iniWith("CRC=" + std::to_string(CRC16("REQ=INI\r"))), CrcCheck::Bad},  // RS left out
      {iniWith("CRC=13403"), CrcCheck::Bad},
      {iniWith("CRC="), CrcCheck::Bad},
      {iniWith("CRC=x"), CrcCheck::Bad},
      {iniWith("CRC=78938"), CrcCheck::Bad},  // 13402 + 65536
      {iniWith("CRC=0000013402"), CrcCheck::Bad},
  };
  for (const auto& [packet, expected] : cases)
    EXPECT_EQ(CheckIncomingCrc(packet), expected) << packet;
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

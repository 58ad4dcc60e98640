#include "link/core/framing.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

// "REQ=INI" with `crcRecord` after its RS; 13402 is the CRC of "REQ=INI" CR RS.
std::string iniWith(const std::string& crcRecord) {
  return "\x1cREQ=INI\r\x1e" + crcRecord + "\r\n\x1d";
}

TEST(Crc, IsTheXmodemCrcCheckedOverTheBytesAfterFsThroughOrUpToRs) {
  const std::pair<std::string, CrcCheck> cases[] = {
      {"\x1cREQ=INI\r\x1e\x1d", CrcCheck::Absent}, {"\x1cREQ=INI\rCRC=13402\r\x1e\x1d", CrcCheck::Absent},  // not after RS
      {iniWith("CRC=13402"), CrcCheck::Good}, {iniWith(" CRC = 13402"), CrcCheck::Good},
      {"junk" + iniWith("CRC=13402"), CrcCheck::Good},  // the span starts at its own FS
      {iniWith("CRC=" + std::to_string(crc16("REQ=INI\r"))), CrcCheck::Good},  // RS left out
      {iniWith("CRC=" + std::to_string(crc16("\x1cREQ=INI\r\x1e"))), CrcCheck::Bad},  // FS taken in
      {iniWith("CRC="), CrcCheck::Bad}, {iniWith("CRC=0000013402"), CrcCheck::Bad},
      {iniWith("CRC=78938"), CrcCheck::Bad}};  // 13402 + 65536
  for (const auto& [packet, expected] : cases) EXPECT_EQ(checkIncomingCrc(packet), expected) << packet;
  EXPECT_EQ(crc16("123456789"), 12739);  // the XMODEM check value
  EXPECT_EQ(crc16("\xff"), 0x1EF0);      // all eight bits of a high character count
}

// A request while a trace body is awaited, as the link would answer it; trace data itself may
// open with "REQ=FIL" (mended fault: "REQ=fil" gave up the upload and the tracer heard nothing).
TEST(OpensWithRequest, OnlyARequestTheLinkAnswersAtTheHead) {
  const std::pair<const char*, bool> cases[] = {{"\x1cREQ=TRC\r\n", true}, {"\x1c REQ = INI\r\n", true},
                                                {"\x1cREQ=FIL\r\n", false}, {"\x1cREQ=fil\r\n", false},
                                                {"\x1c""ANS=TRC\r\n", false}, {"\x1c\r\nREQ=TRC\r\n", false},
                                                {"\x1cJOB=1\r\nREQ=TRC\r\n", false}, {"\x1c", false}};
  for (const auto& [packet, request] : cases) EXPECT_EQ(opensWithRequest(packet), request) << packet;
}

}  // namespace
}  // namespace lumora

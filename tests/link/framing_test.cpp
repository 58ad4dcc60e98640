#include "link/core/framing.h"

#include <gtest/gtest.h>

#include "link/core/control_chars.h"

namespace lumora {
namespace {

TEST(Crc, MatchesXmodemCheckValue) { EXPECT_EQ(CRC16("123456789"), 12739); }

TEST(Crc, EmptyTextIsZero) { EXPECT_EQ(CRC16(""), 0); }

TEST(Crc, CoversTracerInitRequestThroughRs) { EXPECT_EQ(CRC16("REQ=INI\r\x1e"), 13402); }

TEST(Crc, CoversAnswerRecordsAndRs) {
  EXPECT_EQ(CRC16("ANS=INI\r\nSTATUS=15\r\n\x1e"), 25004);
  EXPECT_EQ(CRC16("ANS=INI\r\nSTATUS=0\r\n\x1e"), 57654);
}

TEST(Crc, UsesAllEightBitsOfHighCharacters) {
  EXPECT_NE(CRC16("\xff"), CRC16("\x7f"));
  EXPECT_EQ(CRC16("\xff"), 0x1EF0);
}

TEST(CrcRecord, IsDecimalWithCrLf) {
  EXPECT_EQ(BuildCrcRecord("123456789", true), "CRC=12739\r\n");
}

TEST(CrcRecord, IsEmptyWhenCrcModeOff) { EXPECT_EQ(BuildCrcRecord("123456789", false), ""); }

TEST(CrcRecord, HasNoLeadingZeros) { EXPECT_EQ(BuildCrcRecord("", true), "CRC=0\r\n"); }

TEST(FramePacket, InitAnswerWithCrc) {
  EXPECT_EQ(FramePacket({{"ANS=", "INI"}, {"STATUS=", "15"}}, true),
            "\x1c"
            "ANS=INI\r\nSTATUS=15\r\n\x1e"
            "CRC=25004\r\n\x1d");
}

TEST(FramePacket, InitAnswerWithoutCrc) {
  EXPECT_EQ(FramePacket({{"ANS=", "INI"}, {"STATUS=", "15"}}, false),
            "\x1c"
            "ANS=INI\r\nSTATUS=15\r\n\x1e\x1d");
}

TEST(FramePacket, KeepsRecordOrder) {
  EXPECT_EQ(FramePacket({{"B=", "2"}, {"A=", "1"}}, false),
            "\x1c"
            "B=2\r\nA=1\r\n\x1e\x1d");
}

TEST(CompletePacket, NeedsFsFirstAndGsAndRs) {
  EXPECT_TRUE(IsCompletePacket("\x1cREQ=INI\r\x1e\x1d"));
  EXPECT_FALSE(IsCompletePacket("\x06\x1cREQ=INI\r\x1e\x1d"));  // stray ACK first
  EXPECT_FALSE(IsCompletePacket("\x1cREQ=INI\r\x1e"));          // no GS yet
  EXPECT_FALSE(IsCompletePacket("\x1cREQ=INI\r\x1d"));          // no RS
  EXPECT_FALSE(IsCompletePacket(""));
  EXPECT_FALSE(IsCompletePacket("\x06"));
}

TEST(RequestMarker, FindsEachMarkerWithOrWithoutBlank) {
  for (const char* text : {"REQ=", "REQ =", "ANS=", "ANS =", "INI=", "INI ="})
    EXPECT_TRUE(HasRequestMarker(std::string("x") + text + "y")) << text;
}

TEST(RequestMarker, IsExactCase) {
  EXPECT_FALSE(HasRequestMarker("req=INI"));
  EXPECT_FALSE(HasRequestMarker("REQ  =INI"));
  EXPECT_FALSE(HasRequestMarker("JOB=1"));
}

TEST(IncomingCrc, AbsentWithoutCrcRecord) {
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e\x1d"), CrcCheck::Absent);
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\rCRC=13402\r\x1e\x1d"),
            CrcCheck::Absent);  // not after RS
}

TEST(IncomingCrc, GoodOverBytesAfterFsThroughRs) {
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=13402\r\n\x1d"),
            CrcCheck::Good);
}

TEST(IncomingCrc, NarrowerSpanWithoutRsIsBad) {
  const std::string narrow = std::to_string(CRC16("REQ=INI\r"));
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=" +
                             narrow + "\r\n\x1d"),
            CrcCheck::Bad);
}

TEST(IncomingCrc, BadOnMismatchOrUnreadableNumber) {
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=13403\r\n\x1d"),
            CrcCheck::Bad);
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=\r\n\x1d"),
            CrcCheck::Bad);
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=x\r\n\x1d"),
            CrcCheck::Bad);
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=78938\r\n\x1d"),
            CrcCheck::Bad);  // 13402 + 65536
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e"
                             "CRC=0000013402\r\n\x1d"),
            CrcCheck::Bad);
}

TEST(IncomingCrc, AllowsBlanksAroundLabelAndEquals) {
  EXPECT_EQ(CheckIncomingCrc("\x1cREQ=INI\r\x1e CRC = 13402\r\n\x1d"), CrcCheck::Good);
}

TEST(IncomingCrc, CoversBlanksAsSent) {
  const std::string records = "REQ = INI\r\x1e";
  const std::string packet =
      "\x1c" + records + "CRC=" + std::to_string(CRC16(records)) + "\r\n\x1d";
  EXPECT_EQ(CheckIncomingCrc(packet), CrcCheck::Good);
}

TEST(IncomingCrc, SpanStartsAtThePacketsOwnFs) {
  // Junk before a second packet in the same text does not enter the second packet's span.
  EXPECT_EQ(CheckIncomingCrc("garbage\x1cREQ=INI\r\x1e"
                             "CRC=13402\r\n\x1d"),
            CrcCheck::Good);
}

}  // namespace
}  // namespace lumora

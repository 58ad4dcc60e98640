// Bursts, waits and the dispatch of requests the link answers itself.
#include "link/core/link_engine.h"

#include <gtest/gtest.h>

#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;
using State = LinkEngine::State;

const std::string IniRequest = tracerPacket({"REQ=INI"});
const std::string IniAnswer =
    "\x1c"
    "ANS=INI\r\nSTATUS=15\r\n\x1e\x1d";
const std::string IniAnswerWithCrc =
    "\x1c"
    "ANS=INI\r\nSTATUS=15\r\n\x1e"
    "CRC=25004\r\n\x1d";

class BurstTest : public LinkTest {};

TEST_F(BurstTest, Burst_IdleLinkHasNoDeadline) {
  EXPECT_EQ(link.deadline(), std::nullopt);
  EXPECT_TRUE(wait(60'000'000).empty());
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(BurstTest, Burst_EndsAfterQuarterSecondOfSilence) {
  const std::int64_t sent = micros;
  EXPECT_TRUE(send(IniRequest).empty());
  EXPECT_EQ(link.deadline(), sent + 250'001);
  EXPECT_TRUE(wait(250'000).empty());  // one tick before: exactly 0.25 s is not yet "more"
  EXPECT_EQ(link.state(), State::Gathering);
  EXPECT_EQ(wait(1), (Outputs{Ack}));  // at the deadline
}

TEST_F(BurstTest, Burst_ExpiryAfterDeadlineStillEndsIt) {
  send(IniRequest);
  EXPECT_EQ(wait(900'000), (Outputs{Ack}));
}

TEST_F(BurstTest, Burst_ByteWithinQuietTimeExtendsIt) {
  send(IniRequest.substr(0, 5));
  micros += 250'000;
  EXPECT_TRUE(send(IniRequest.substr(5)).empty());
  EXPECT_EQ(link.deadline(), micros + 250'001);
  EXPECT_TRUE(wait(250'000).empty());
  EXPECT_EQ(wait(1), (Outputs{Ack}));
}

TEST_F(BurstTest, Burst_PacketSplitByLongerSilenceIsLost) {
  send(IniRequest.substr(0, 5));
  EXPECT_TRUE(wait(250'001).empty());
  EXPECT_EQ(link.state(), State::Idle);
  EXPECT_TRUE(request(IniRequest.substr(5)).empty());
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(BurstTest, Burst_LateBytesCountAfterTheMissedDeadline) {
  // The owner's timer was late: the first part's burst still ended by its silence.
  send(IniRequest.substr(0, 5));
  micros += 250'001;
  EXPECT_TRUE(send(IniRequest.substr(5)).empty());
  EXPECT_EQ(link.state(), State::Gathering);
  EXPECT_TRUE(wait(250'001).empty());
}

TEST_F(BurstTest, Burst_StrayAckBeforeFsIsDropped) {
  EXPECT_TRUE(request(std::string(1, ACK) + IniRequest).empty());
}

TEST_F(BurstTest, Burst_OnlyAckAndNakAreDropped) { EXPECT_TRUE(request("\x06\x15\x06").empty()); }

TEST_F(BurstTest, Burst_CompletePacketWithoutMarkerIsDropped) {
  EXPECT_TRUE(request(tracerPacket({"JOB=1", "VEN=CORVANE"})).empty());
}

TEST_F(BurstTest, Burst_NothingCarriesOverToTheNextBurst) {
  request(IniRequest.substr(0, 4));
  wait(1'000'000);
  EXPECT_TRUE(request(IniRequest.substr(4)).empty());
}

TEST_F(BurstTest, Burst_OfExactlyOneMiBIsKept) {
  std::string big = IniRequest;
  big.resize(MaxLinkBuffer, 'x');
  EXPECT_EQ(request(big), (Outputs{Ack}));
}

TEST_F(BurstTest, Burst_OverOneMiBIsDroppedWithOneLine) {
  std::string big = IniRequest;
  big.resize(MaxLinkBuffer, 'x');
  EXPECT_TRUE(send(big).empty());
  EXPECT_EQ(send("y"),
            (Outputs{activity("OMA Input Discarded: more than 1048576 bytes without a pause")}));
  EXPECT_TRUE(send(IniRequest).empty());  // still the same flood: dropped quietly
  EXPECT_TRUE(wait(250'001).empty());
  EXPECT_EQ(request(IniRequest), (Outputs{Ack}));
}

class InitTest : public LinkTest {};

TEST_F(InitTest, Init_AcknowledgedAtOnceAndAnsweredAfterPause) {
  EXPECT_EQ(request(IniRequest), (Outputs{Ack}));
  EXPECT_EQ(link.state(), State::InitPause);
  EXPECT_EQ(link.deadline(), micros + 330'001);
  EXPECT_TRUE(wait(330'000).empty());
  EXPECT_EQ(wait(1),
            (Outputs{write(IniAnswer), activity("OMA Host Does Not Support Initialization")}));
  EXPECT_EQ(link.state(), State::Idle);
  EXPECT_EQ(link.deadline(), std::nullopt);
}

TEST_F(InitTest, Init_AnswerCarriesCrcOnlyWhenLastUploadRequestDid) {
  EXPECT_FALSE(link.CrcMode());
  request(tracerPacket({"REQ=UPL"}, true));
  EXPECT_TRUE(link.CrcMode());
  request(IniRequest);
  EXPECT_EQ(writes(wait(330'001)), std::vector<std::string>{IniAnswerWithCrc});
  request(tracerPacket({"REQ=MNT"}));
  EXPECT_FALSE(link.CrcMode());
  request(IniRequest);
  EXPECT_EQ(writes(wait(330'001)), std::vector<std::string>{IniAnswer});
}

TEST_F(InitTest, Init_RequestWithCrcDoesNotChangeCrcMode) {
  EXPECT_EQ(request(tracerPacket({"REQ=INI"}, true)), (Outputs{Ack}));
  EXPECT_EQ(writes(wait(330'001)), std::vector<std::string>{IniAnswer});
}

TEST_F(InitTest, Init_BlanksAroundEqualsAreIgnored) {
  EXPECT_EQ(request(tracerPacket({"REQ = INI"})), (Outputs{Ack}));
}

TEST_F(InitTest, Init_WinsOverOtherRequestsInThePacket) {
  EXPECT_EQ(request(tracerPacket({"REQ=TRC"}) + IniRequest + tracerPacket({"REQ=ERR"})),
            (Outputs{Ack}));
}

TEST_F(InitTest, Init_BytesDuringPauseStartTheNextBurst) {
  request(IniRequest);
  micros += 100'000;
  EXPECT_TRUE(send(IniRequest).empty());
  EXPECT_EQ(wait(230'001).size(), 2u);  // the answer
  EXPECT_EQ(link.state(), State::Gathering);
  EXPECT_EQ(link.deadline(), micros + 250'001);  // silence counted from the answer
  EXPECT_TRUE(wait(250'000).empty());
  EXPECT_EQ(wait(1), (Outputs{Ack}));
}

TEST_F(InitTest, Init_LateWakeAnswersBeforeNewBytesCount) {
  request(IniRequest);
  micros += 400'000;
  EXPECT_EQ(send(IniRequest),
            (Outputs{write(IniAnswer), activity("OMA Host Does Not Support Initialization")}));
  EXPECT_EQ(link.state(), State::Gathering);
}

class DispatchTest : public LinkTest {};

TEST_F(DispatchTest, Info_CompletionIsAcknowledged) {
  EXPECT_EQ(request(tracerPacket({"REQ=INF", "JOB=12", "STATUS=0"})),
            (Outputs{Ack, activity("OMA Operation Completed")}));
}

TEST_F(DispatchTest, Info_WithoutStatusZeroIsUnsupportedUpload) {
  EXPECT_EQ(request(tracerPacket({"REQ=INF", "JOB=12", "STATUS=3"})),
            (Outputs{activity("OMA Information Upload"), activity("Unsupported OMA Device type")}));
}

TEST_F(DispatchTest, Error_IsNotedWithoutAnswer) {
  EXPECT_EQ(request(tracerPacket({"REQ=ERR", "STATUS=3"})),
            (Outputs{activity("OMA Error Answer Response")}));
}

TEST_F(DispatchTest, Answer_IsNotedWithoutAnswer) {
  EXPECT_EQ(request(tracerPacket({"ANS=TRC", "STATUS=0"})),
            (Outputs{activity("OMA Answer Packet")}));
}

TEST_F(DispatchTest, Upload_OtherKindsAreRefusedByActivityLineOnly) {
  EXPECT_EQ(request(tracerPacket({"REQ=UPL"})),
            (Outputs{activity("OMA Generic Upload"), activity("Unsupported OMA Device type")}));
  EXPECT_EQ(request(tracerPacket({"REQ=MNT"})),
            (Outputs{activity("OMA Maintenance Upload"), activity("Unsupported OMA Device type")}));
}

TEST_F(DispatchTest, Upload_EveryKindFoundIsNotedAndTheLastDecides) {
  EXPECT_EQ(request(tracerPacket({"REQ=MNT"}) + tracerPacket({"REQ=UPL"})),
            (Outputs{activity("OMA Generic Upload"), activity("OMA Maintenance Upload"),
                     activity("Unsupported OMA Device type")}));
}

TEST_F(DispatchTest, Unknown_RequestGetsNothing) {
  EXPECT_TRUE(request(tracerPacket({"REQ=XYZ"})).empty());
  EXPECT_TRUE(request(tracerPacket({"INI=1"})).empty());
}

TEST_F(DispatchTest, Request_MustFollowFs) {
  EXPECT_TRUE(request(tracerPacket({"JOB=1", "REQ=INI"})).empty());
}

TEST_F(DispatchTest, Quote_SetByAnyDoubleQuoteInUploadRequest) {
  request(tracerPacket({"REQ=UPL", "JOB=\"5\""}));
  EXPECT_EQ(link.QuoteChar(), "\"");
  request(tracerPacket({"REQ=UPL", "JOB=5"}));
  EXPECT_EQ(link.QuoteChar(), "");
}

class IncomingCrcTest : public LinkTest {};

TEST_F(IncomingCrcTest, Crc_MatchingRequestIsAnswered) {
  EXPECT_EQ(request("\x1cREQ=INI\r\x1e"
                    "CRC=13402\r\n\x1d"),
            (Outputs{Ack}));
}

TEST_F(IncomingCrcTest, Crc_MismatchGetsNakAndLine) {
  EXPECT_EQ(request("\x1cREQ=INI\r\x1e"
                    "CRC=13401\r\n\x1d"),
            (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  EXPECT_EQ(link.state(), State::Idle);
}

TEST_F(IncomingCrcTest, Crc_CheckedOverBytesAsSentWithBlanks) {
  const std::string covered = "REQ = UPL\r\n\x1e";
  const std::string packet =
      "\x1c" + covered + "CRC=" + std::to_string(CRC16(covered)) + "\r\n\x1d";
  EXPECT_EQ(activities(request(packet)),
            (std::vector<std::string>{"OMA Generic Upload", "Unsupported OMA Device type"}));
}

TEST_F(IncomingCrcTest, Crc_BadUploadRequestLeavesModesAlone) {
  request(tracerPacket({"REQ=UPL"}, true));
  EXPECT_EQ(request("\x1cREQ=MNT\r\n\x1e"
                    "CRC=1\r\n\x1d"),
            (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  EXPECT_TRUE(link.CrcMode());
}

}  // namespace
}  // namespace lumora

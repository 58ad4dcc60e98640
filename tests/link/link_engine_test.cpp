// Bursts, waits and the dispatch of requests the link answers itself.
#include "link/core/link_engine.h"

#include <gtest/gtest.h>

#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;
using State = LinkEngine::State;

const std::string IniRequest = tracerPacket({"REQ=INI"});
const std::string IniAnswerBytes =
    "\x1c"
    "ANS=INI\r\nSTATUS=15\r\n\x1e\x1d";
const Outputs IniAnswer{write(IniAnswerBytes),
                        activity("OMA Host Does Not Support Initialization")};
// The packet with its CRC record's number spoilt.
std::string badCrc(std::string packet) { return packet.insert(packet.find("CRC=") + 4, "1"); }

Outputs unsupported(const std::vector<std::string>& kinds) {
  Outputs out;
  for (const std::string& kind : kinds) out.push_back(activity(kind));
  return out + Outputs{activity("Unsupported OMA Device type")};
}

// Each burst alone on an idle link, and everything it causes.
TEST_F(LinkTest, EachBurstGetsItsAnswer) {
  const struct {
    std::string burst;
    Outputs out;
  } cases[] = {
      {IniRequest, {Ack}},
      {tracerPacket({"REQ = INI"}), {Ack}},
      {tracerPacket({"REQ=TRC"}) + IniRequest + tracerPacket({"REQ=ERR"}), {Ack}},
      {tracerPacket({"REQ=INI"}, true), {Ack}},
      {badCrc(tracerPacket({"REQ=INI"}, true)), {Nak, activity("OMA Bad Packet CRC")}},
      {tracerPacket({"REQ=INF", "JOB=12", "STATUS=0"}), {Ack, activity("OMA Operation Completed")}},
      {tracerPacket({"REQ=INF", "JOB=12", "STATUS=3"}), unsupported({"OMA Information Upload"})},
      {tracerPacket({"REQ=ERR", "STATUS=3"}), {activity("OMA Error Answer Response")}},
      {tracerPacket({"ANS=TRC", "STATUS=0"}), {activity("OMA Answer Packet")}},
      {tracerPacket({"REQ=MNT"}) + tracerPacket({"REQ=UPL"}),
       unsupported({"OMA Generic Upload", "OMA Maintenance Upload"})},
      // Dropped without a word: no request, no marker, not starting with FS, unknown.
      {std::string(1, ACK) + IniRequest, {}},
      {tracerPacket({"JOB=1", "REQ=INI"}), {}},
      {tracerPacket({"REQ=XYZ"}), {}},
      {tracerPacket({"req=INI"}), {}},
      {IniRequest.substr(0, IniRequest.size() - 1), {}},  // no GS
  };
  for (const auto& c : cases) EXPECT_EQ(alone(c.burst), c.out) << Describe(write(c.burst));
}

// A burst ends after more than 0.25 s of silence; a packet split by such a silence is two
// stray bursts, even when the timer was late.
TEST_F(LinkTest, BurstEndsAfterMoreThanAQuarterSecondOfSilence) {
  EXPECT_TRUE(send(IniRequest.substr(0, 5)).empty());
  micros += 250'000;
  EXPECT_TRUE(send(IniRequest.substr(5)).empty());  // exactly 0.25 s later: the same burst
  EXPECT_EQ(link.deadline(), micros + 250'001);
  EXPECT_TRUE(wait(250'000).empty());
  EXPECT_EQ(wait(1), (Outputs{Ack}));
  wait(330'001);  // the answer
  for (bool lateTimer : {false, true}) {
    send(IniRequest.substr(0, 5));
    micros += 250'001;
    if (!lateTimer) {
      EXPECT_TRUE(link.expire(now()).empty());
    }
    EXPECT_TRUE(request(IniRequest.substr(5)).empty());
  }
}

TEST_F(LinkTest, InitIsAcknowledgedAtOnceAndAnsweredAfterThePause) {
  EXPECT_EQ(request(IniRequest), (Outputs{Ack}));
  EXPECT_EQ(link.deadline(), micros + 330'001);
  EXPECT_TRUE(wait(330'000).empty());
  EXPECT_EQ(wait(1), IniAnswer);
  // Bytes during the pause start the next burst; its silence counts from the answer.
  request(IniRequest);
  micros += 100'000;
  EXPECT_TRUE(send(IniRequest).empty());
  EXPECT_EQ(wait(230'001), IniAnswer);
  EXPECT_EQ(link.deadline(), micros + 250'001);
  EXPECT_EQ(wait(250'001), (Outputs{Ack}));
  // A late timer: the answer goes out before new bytes count.
  micros += 400'000;
  EXPECT_EQ(send(IniRequest), IniAnswer);
  EXPECT_EQ(link.state(), State::Gathering);
}

// The init answer carries a CRC when the last upload request did; a bad CRC changes nothing.
TEST_F(LinkTest, InitAnswerCarriesCrcOnlyAfterAnUploadRequestWithOne) {
  const auto initAnswer = [&](bool withCrc = false) {
    request(tracerPacket({"REQ=INI"}, withCrc));
    return texts(wait(330'001), OutputKind::Write).at(0);
  };
  EXPECT_EQ(initAnswer(true), IniAnswerBytes);  // its own CRC does not count
  request(tracerPacket({"REQ=UPL", "JOB=\"5\""}, true));
  EXPECT_EQ(request(badCrc(tracerPacket({"REQ=MNT", "JOB=5"}, true))),
            (Outputs{Nak, activity("OMA Bad Packet CRC")}));
  EXPECT_EQ(link.QuoteChar(), "\"");
  EXPECT_EQ(initAnswer(),
            "\x1c"
            "ANS=INI\r\nSTATUS=15\r\n\x1e"
            "CRC=25004\r\n\x1d");
  request(tracerPacket({"REQ=MNT", "JOB=5"}));
  EXPECT_EQ(link.QuoteChar(), "");
  EXPECT_EQ(initAnswer(), IniAnswerBytes);
}

}  // namespace
}  // namespace lumora

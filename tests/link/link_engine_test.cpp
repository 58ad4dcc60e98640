// Bursts, waits and the dispatch of requests the link answers itself.
#include "link/core/link_engine.h"

#include <gtest/gtest.h>

#include "link_test_support.h"

namespace lumora {
namespace {

using namespace linktest;

const std::string kIniRequest = tracerPacket({"REQ=INI"});
const std::string kIniAnswerBytes = "\x1c" "ANS=INI\r\nSTATUS=15\r\n\x1e\x1d";
const Outputs kIniAnswer{write(kIniAnswerBytes), activity("OMA Host Does Not Support Initialization")};
// The packet with its CRC record's number spoilt.
std::string badCrc(std::string packet) { return packet.insert(packet.find("CRC=") + 4, "1"); }

Outputs unsupported(const Lines& kinds) {
  Outputs out;
  for (const std::string& kind : kinds) out.push_back(activity(kind));
  return out + Outputs{activity("Unsupported OMA Device type")};
}

// Each burst alone on an idle link, and everything it causes.
TEST_F(LinkTest, EachBurstGetsItsAnswer) {
  const struct { std::string burst; Outputs out; } cases[] = {
      {tracerPacket({"REQ = INI"}), {kAckOut}},
      {tracerPacket({"REQ=TRC"}) + kIniRequest + tracerPacket({"REQ=ERR"}), {kAckOut}},
      {tracerPacket({"REQ=INF", "JOB=12", "STATUS=0"}), {kAckOut, activity("OMA Operation Completed")}},
      {tracerPacket({"REQ=INF", "JOB=12", "STATUS=3"}), unsupported({"OMA Information Upload"})},
      {tracerPacket({"REQ=ERR", "STATUS=3"}), {activity("OMA Error Answer Response")}},
      {tracerPacket({"ANS=TRC", "STATUS=0"}), {activity("OMA Answer Packet")}},
      {tracerPacket({"REQ=MNT"}) + tracerPacket({"REQ=UPL"}),
       unsupported({"OMA Generic Upload", "OMA Maintenance Upload"})},
      // Dropped without a word: no request, no marker, not starting with FS, unknown.
      {std::string(1, kAck) + kIniRequest, {}}, {tracerPacket({"JOB=1", "REQ=INI"}), {}}, {tracerPacket({"REQ=XYZ"}), {}},
      {tracerPacket({"req=INI"}), {}}, {kIniRequest.substr(0, kIniRequest.size() - 1), {}}};  // the last without its GS
  for (const auto& c : cases) EXPECT_EQ(alone(c.burst), c.out) << describe(write(c.burst));
}

// A wait ends when more than its time has passed: nothing one microsecond before its
// deadline, its end at the deadline and after it (a late timer).
TEST(LinkWaits, EachEndsOneMicrosecondAfterItsTime) {
  // `burstFirst`: the wait starts once the packet's burst has ended.
  const struct { const char* name; std::string packet; bool burstFirst; std::int64_t length; Outputs ends; } waits[] = {
      {"burst silence", kIniRequest, false, kBurstSilenceMicros, {kAckOut}},
      {"init pause", kIniRequest, true, kInitPauseMicros, kIniAnswer},
      {"body inactivity", tracerPacket({"REQ=TRC", "JOB=7", "VEN=CORVANE", "TRCFMT=1;400;E;R;F"}), true,
       kBodyInactivityMicros,
       {activity("OMA Tracer Timeout"), write(tracerPacket({"ANS=TRC", "JOB=7", "STATUS=1"}))}},
  };
  for (const auto& w : waits) {
    for (const std::int64_t offset : {-1, 0, 1}) {
      LinkEngine link{1, false};
      std::int64_t start = 1'000'000;
      link.receive(w.packet, {start, ""});
      if (w.burstFirst) link.expire({start += kBurstSilenceMicros + 1, ""});
      ASSERT_EQ(link.deadline(), start + w.length + 1) << w.name;
      EXPECT_EQ(withoutEnds(link.expire({start + w.length + 1 + offset, ""})), offset < 0 ? Outputs{} : w.ends)
          << w.name << " " << offset;
    }
  }
}

// Bytes handed over after a missed deadline count only once the wait has ended: a packet
// split by more than a quarter second of silence is two stray bursts, and the init answer
// goes out before the next request counts.
TEST_F(LinkTest, BytesAfterAMissedDeadlineCountAfterIt) {
  send(kIniRequest.substr(0, 5));
  micros += kBurstSilenceMicros + 1;
  EXPECT_TRUE(request(kIniRequest.substr(5)).empty());
  request(kIniRequest);
  micros += kInitPauseMicros + 1;
  EXPECT_EQ(send(kIniRequest), kIniAnswer);
  EXPECT_EQ(link.state(), State::GatheringBurst);
}

// The init answer carries a CRC when the last upload request did; a bad CRC changes nothing.
TEST_F(LinkTest, InitAnswerCarriesCrcOnlyAfterAnUploadRequestWithOne) {
  const auto initAnswer = [&](bool withCrc = false) {
    request(tracerPacket({"REQ=INI"}, withCrc));
    return texts(wait(kInitPauseMicros + 1), OutputKind::Write).at(0);
  };
  EXPECT_EQ(initAnswer(true), kIniAnswerBytes);  // its own CRC does not count
  request(tracerPacket({"REQ=UPL", "JOB=5"}, true));
  EXPECT_EQ(request(badCrc(tracerPacket({"REQ=MNT", "JOB=5"}, true))),
            (Outputs{kNakOut, activity("OMA Bad Packet CRC")}));
  EXPECT_EQ(initAnswer(), "\x1c" "ANS=INI\r\nSTATUS=15\r\n\x1e" "CRC=25004\r\n\x1d");
  request(tracerPacket({"REQ=MNT", "JOB=5"}));
  EXPECT_EQ(initAnswer(), kIniAnswerBytes);
}

}  // namespace
}  // namespace lumora

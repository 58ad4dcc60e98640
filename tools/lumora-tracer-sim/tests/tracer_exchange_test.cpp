#include "core/tracer_exchange.h"

#include <gtest/gtest.h>

#include "link/core/framing.h"

namespace lumora::sim {
namespace {

using Phase = TracerExchange::Phase;

Reply ack() { return {Reply::Kind::Ack, "\x06"}; }
Reply nak() { return {Reply::Kind::Nak, "\x15"}; }
Reply answer(const std::string& kind, int status, bool crc = false) {
  return {Reply::Kind::Packet,
          FramePacket({{"ANS=", kind}, {"JOB=", "1"}, {"STATUS=", std::to_string(status)}}, crc)};
}

TEST(TracerExchange, FullUploadWithInitializationEndsStored) {
  TracerExchange x(true, "REQ", "BODY", false);
  EXPECT_EQ(x.send(), InitRequest(false));
  EXPECT_EQ(x.send(), std::nullopt);  // waits for the host
  EXPECT_TRUE(x.waiting());
  x.received(ack());
  x.received(answer("INI", 15));
  EXPECT_FALSE(x.waiting());
  EXPECT_EQ(x.send(), "REQ");
  x.received(ack());
  x.received(answer("TRC", 0));
  EXPECT_EQ(x.send(), "BODY");
  x.received(ack());
  EXPECT_EQ(x.phase(), Phase::AwaitCompletion);
  x.received(answer("TRC", 0));
  EXPECT_EQ(x.outcome(), Outcome::Stored);
  EXPECT_EQ(x.status(), 0);
}

TEST(TracerExchange, WrongBrandNakThenRefusalIsRefused) {
  TracerExchange x(false, "REQ", "BODY", false);
  x.send();
  x.received(nak());
  EXPECT_EQ(x.outcome(), Outcome::Pending);  // the refusal packet follows the NAK
  x.received(answer("TRC", 17));
  EXPECT_EQ(x.outcome(), Outcome::Refused);
  EXPECT_EQ(x.status(), 17);
}

TEST(TracerExchange, NonZeroStatusAfterBodyIsRefusedWithThatStatus) {
  TracerExchange x(false, "REQ", "BODY", false);
  x.send();
  x.received(ack());
  x.received(answer("TRC", 0));
  x.send();
  x.received(answer("TRC", 1));  // the host timed out during a pause
  EXPECT_EQ(x.outcome(), Outcome::Refused);
  EXPECT_EQ(x.status(), 1);
}

TEST(TracerExchange, SilenceOrAnOutOfTurnReplyIsNoAnswer) {
  TracerExchange silent(false, "REQ", "BODY", false);
  silent.send();
  silent.noReply();
  EXPECT_EQ(silent.outcome(), Outcome::NoAnswer);

  TracerExchange early(false, "REQ", "BODY", false);
  early.send();
  early.received(answer("TRC", 0));  // status 0 before any ACK
  EXPECT_EQ(early.outcome(), Outcome::NoAnswer);
}

TEST(TracerExchange, CrcModeRejectsAnAnswerWithoutCrcAndAcceptsOneWithIt) {
  TracerExchange missing(false, "REQ", "BODY", true);
  missing.send();
  missing.received(ack());
  missing.received(answer("TRC", 0, false));
  EXPECT_EQ(missing.outcome(), Outcome::NoAnswer);

  TracerExchange good(true, "REQ", "BODY", true);
  good.send();
  good.received(ack());
  good.received(answer("INI", 15, false));  // before any trace request the host has no CRC
  good.send();
  good.received(ack());
  good.received(answer("TRC", 0, true));
  EXPECT_EQ(good.phase(), Phase::SendBody);
}

}  // namespace
}  // namespace lumora::sim

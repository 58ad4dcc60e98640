#include "core/tracer_exchange.h"

#include <gtest/gtest.h>

#include "link/core/framing.h"

namespace lumora::sim {
namespace {

using Texts = std::vector<std::string>;

const Reply Ack{Reply::Kind::Ack, "\x06"};
const Reply Nak{Reply::Kind::Nak, "\x15"};
Reply answer(const std::string& kind, int status, bool crc = false) {
  return {Reply::Kind::Packet,
          FramePacket({{"ANS=", kind}, {"JOB=", "1"}, {"STATUS=", std::to_string(status)}}, crc)};
}

// The host's replies to one exchange, each after the tracer has sent what it may; what the
// tracer sent, how the exchange ended and with which status. A simulator that took a wrong
// answer for success would let the end-to-end tests pass over a broken host.
TEST(TracerExchange, EndsAsTheHostsRepliesSay) {
  const struct {
    const char* name;
    bool init, crc;
    std::vector<Reply> replies;
    Texts sent;
    Outcome outcome;
    int status;
  } cases[] = {
      {"stored after init", true, false,
       {Ack, answer("INI", 15), Ack, answer("TRC", 0), Ack, answer("TRC", 0)},
       {InitRequest(false), "REQ", "BODY"}, Outcome::Stored, 0},
      {"wrong brand: NAK, then the refusal", false, false, {Nak, answer("TRC", 17)},
       {"REQ"}, Outcome::Refused, 17},
      {"host timed out in a pause", false, false, {Ack, answer("TRC", 0), answer("TRC", 1)},
       {"REQ", "BODY"}, Outcome::Refused, 1},
      {"status 0 before any ACK", false, false, {answer("TRC", 0)}, {"REQ"}, Outcome::NoAnswer, 0},
      {"answer without CRC", false, true, {Ack, answer("TRC", 0)}, {"REQ"}, Outcome::NoAnswer, 0},
      // Before any trace request the host has no CRC to give.
      {"CRC mode", true, true,
       {Ack, answer("INI", 15), Ack, answer("TRC", 0, true), Ack, answer("TRC", 0, true)},
       {InitRequest(true), "REQ", "BODY"}, Outcome::Stored, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TracerExchange x(c.init, "REQ", "BODY", c.crc);
    Texts sent;
    for (const Reply& reply : c.replies) {
      if (auto bytes = x.send()) sent.push_back(*bytes);
      EXPECT_TRUE(x.waiting());
      x.received(reply);
    }
    EXPECT_EQ(sent, c.sent);
    EXPECT_EQ(x.outcome(), c.outcome);
    if (c.outcome != Outcome::NoAnswer) {
      EXPECT_EQ(x.status(), c.status);
    }
  }
}

TEST(TracerExchange, SilenceIsNoAnswer) {
  TracerExchange x(false, "REQ", "BODY", false);
  x.send();
  x.noReply();
  EXPECT_EQ(x.outcome(), Outcome::NoAnswer);
}

}  // namespace
}  // namespace lumora::sim

// The tracer simulator's protocol side. A simulator that took a wrong answer for success, or
// dropped an option, would let the end-to-end tests pass over a broken host.
#include <gtest/gtest.h>

#include "core/sim_options.h"
#include "core/tracer_exchange.h"
#include "link/core/framing.h"

namespace lumora::sim {
namespace {

using Texts = std::vector<std::string>;

// A pause that did not parse would let a test pass without the pause it means to test.
TEST(SimOptions, GivenFormatsReplaceTheDefaultAndPausesParse) {
  const auto o = parseSimOptions({"--fd", "5", "--format", "1;399;E;R;F", "--format", "2;400;E;L;F",
                                  "--body-pause", "100:7000", "f"});
  ASSERT_TRUE(o && o->bodyPause);
  EXPECT_EQ(std::tie(o->request.formats, o->bodyPause->afterBytes, o->bodyPause->millis, o->fd),
            std::make_tuple(Texts{"1;399;E;R;F", "2;400;E;L;F"}, 100u, 7000, 5));
}

// The host's replies come in pieces that cut through packets at any byte.
TEST(ReplyReader, SplitsAcknowledgementsPacketsAndNoiseAcrossPieces) {
  using Replies = std::vector<std::pair<Reply::Kind, std::string>>;
  ReplyReader reader;
  const auto feed = [&](const std::string& bytes) {
    Replies found;
    for (const Reply& r : reader.feed(bytes)) found.emplace_back(r.kind, r.bytes);
    return found;
  };
  EXPECT_EQ(feed("\x06x\x1c" "ANS=TRC\r\nSTA"), (Replies{{Reply::Kind::Ack, "\x06"}, {Reply::Kind::Stray, "x"}}));
  EXPECT_EQ(feed("TUS=0\r\n\x1e\x1d\x15"),
            (Replies{{Reply::Kind::Packet, "\x1c" "ANS=TRC\r\nSTATUS=0\r\n\x1e\x1d"}, {Reply::Kind::Nak, "\x15"}}));
}

const Reply kAckReply{Reply::Kind::Ack, "\x06"};
Reply answer(const std::string& kind, int status, bool crc = false) {
  return {Reply::Kind::Packet, framePacket({{"ANS=", kind}, {"JOB=", "1"}, {"STATUS=", std::to_string(status)}}, crc)};
}

// The host's replies to one exchange, each after the tracer has sent what it may; what the
// tracer sent, how the exchange ended and with which status (-1: none counts). Uploads that
// end stored or refused with a brand's status are met by the end-to-end tests, which run the
// simulator against the server; these are the answers the server must never be credited for.
TEST(TracerExchange, EndsAsTheHostsRepliesSay) {
  const struct { const char* name; bool crc; std::vector<Reply> replies; Texts sent; Outcome outcome; int status; }
  cases[] = {
      {"host timed out in a pause", false, {kAckReply, answer("TRC", 0), answer("TRC", 1)}, {"REQ", "BODY"},
       Outcome::Refused, 1},
      {"status 0 before any ACK", false, {answer("TRC", 0)}, {"REQ"}, Outcome::NoAnswer, -1},
      {"answer without CRC", true, {kAckReply, answer("TRC", 0)}, {"REQ"}, Outcome::NoAnswer, -1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TracerExchange x(false, "REQ", "BODY", c.crc);
    Texts sent;
    for (const Reply& reply : c.replies) {
      if (auto bytes = x.send()) sent.push_back(*bytes);
      EXPECT_TRUE(x.waiting());
      x.received(reply);
    }
    EXPECT_EQ(std::tuple(sent, x.outcome(), c.status < 0 ? -1 : x.status()), std::tuple(c.sent, c.outcome, c.status));
  }
  TracerExchange silent(false, "REQ", "BODY", false);
  silent.send();
  silent.noReply();
  EXPECT_EQ(silent.outcome(), Outcome::NoAnswer);
}

}  // namespace
}  // namespace lumora::sim

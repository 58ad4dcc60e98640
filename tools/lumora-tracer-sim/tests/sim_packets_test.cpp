#include "core/sim_packets.h"

#include <gtest/gtest.h>

namespace lumora::sim {
namespace {

// The host's replies come in pieces that cut through packets at any byte.
TEST(ReplyReader, SplitsAcknowledgementsPacketsAndNoiseAcrossPieces) {
  using Replies = std::vector<std::pair<Reply::Kind, std::string>>;
  ReplyReader reader;
  const auto feed = [&](const std::string& bytes) {
    Replies found;
    for (const Reply& r : reader.feed(bytes)) found.emplace_back(r.kind, r.bytes);
    return found;
  };
  EXPECT_EQ(feed("\x06x\x1c"
                 "ANS=TRC\r\nSTA"),
            (Replies{{Reply::Kind::Ack, "\x06"}, {Reply::Kind::Stray, "x"}}));
  EXPECT_EQ(feed("TUS=0\r\n\x1e\x1d\x15"),
            (Replies{{Reply::Kind::Packet, "\x1c"
                                           "ANS=TRC\r\nSTATUS=0\r\n\x1e\x1d"},
                     {Reply::Kind::Nak, "\x15"}}));
}

}  // namespace
}  // namespace lumora::sim

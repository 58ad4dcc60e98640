#include "core/sim_packets.h"

#include <gtest/gtest.h>

#include "link/core/framing.h"

namespace lumora::sim {
namespace {

TEST(TraceRequest, CarriesJobVendorEachOfferedFormatAndACorrectCrc) {
  RequestOptions o;
  o.job = "4711";
  o.quoteJob = true;
  o.formats = {"1;400;E;R;F", "1;400;E;L;F"};
  o.zfmt = true;
  EXPECT_EQ(TraceRequest(o),
            "\x1cREQ=TRC\r\nJOB=\"4711\"\r\nVEN=CORVANE\r\nTRCFMT=1;400;E;R;F\r\n"
            "TRCFMT=1;400;E;L;F\r\nZFMT=1;400;E;R;F\r\nZFMT=1;400;E;L;F\r\n\x1e\x1d");
  o.crc = true;
  EXPECT_EQ(CheckIncomingCrc(TraceRequest(o)), CrcCheck::Good);
  EXPECT_EQ(CheckIncomingCrc(InitRequest(true)), CrcCheck::Good);
}

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

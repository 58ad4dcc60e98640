#include "core/sim_packets.h"

#include <gtest/gtest.h>

#include "link/core/framing.h"
#include "link/core/upload_rules.h"

namespace lumora::sim {
namespace {

TEST(TraceRequest, CarriesJobVendorAndEachOfferedFormat) {
  RequestOptions o;
  o.job = "4711";
  o.quoteJob = true;
  o.vendor = "corvane";
  o.formats = {"1;400;E;R;F", "1;400;E;L;F"};
  o.zfmt = true;
  EXPECT_EQ(TraceRequest(o),
            "\x1cREQ=TRC\r\nJOB=\"4711\"\r\nVEN=corvane\r\nTRCFMT=1;400;E;R;F\r\n"
            "TRCFMT=1;400;E;L;F\r\nZFMT=1;400;E;R;F\r\nZFMT=1;400;E;L;F\r\n\x1e\x1d");
}

TEST(TraceRequest, WithCrcCarriesACorrectCrcRecord) {
  RequestOptions o;
  o.crc = true;
  EXPECT_EQ(CheckIncomingCrc(TraceRequest(o)), CrcCheck::Good);
  EXPECT_EQ(CheckIncomingCrc(InitRequest(true)), CrcCheck::Good);
  EXPECT_EQ(CheckIncomingCrc(InitRequest(false)), CrcCheck::Absent);
}

TEST(TraceBody, StoredFileComesBackLineForLineThroughTheHostsRules) {
  const std::string file = "REQ=FIL\r\nJOB=\"12\"\r\nTRCFMT=1;400;E;R;F\r\nR=2610;2613\r\n";
  const std::string body = TraceBody(file, false);
  EXPECT_EQ(body.substr(0, 10),
            "\x1c"
            "ANS=TRC\r\n");
  EXPECT_EQ(
      TraceLinesFromBody(body),
      (std::vector<std::string>{"REQ=FIL", "JOB=\"12\"", "TRCFMT=1;400;E;R;F", "R=2610;2613"}));
}

TEST(TraceBody, FileWithoutAnswerLineGetsOneInFrontAndLoneLfLinesWork) {
  const std::string body = TraceBody("JOB=5\nDBL=18\n\n", true);
  EXPECT_EQ(CheckIncomingCrc(body), CrcCheck::Good);
  EXPECT_EQ(TraceLinesFromBody(body), (std::vector<std::string>{"REQ=FIL", "JOB=5", "DBL=18"}));
}

TEST(ReplyReader, SplitsAcknowledgementsPacketsAndNoiseAcrossPieces) {
  ReplyReader reader;
  auto first = reader.feed(
      "\x06"
      "x\x1c"
      "ANS=TRC\r\nSTA");
  ASSERT_EQ(first.size(), 2u);
  EXPECT_EQ(first[0].kind, Reply::Kind::Ack);
  EXPECT_EQ(first[1].kind, Reply::Kind::Stray);
  EXPECT_EQ(first[1].bytes, "x");
  auto second = reader.feed("TUS=0\r\n\x1e\x1d\x15");
  ASSERT_EQ(second.size(), 2u);
  EXPECT_EQ(second[0].kind, Reply::Kind::Packet);
  EXPECT_EQ(second[0].bytes,
            "\x1c"
            "ANS=TRC\r\nSTATUS=0\r\n\x1e\x1d");
  EXPECT_EQ(second[1].kind, Reply::Kind::Nak);
}

TEST(RecordValue, FindsTheFirstRecordOfALabelIncludingTheFirstLine) {
  const std::string packet =
      "\x1c"
      "ANS=TRC\r\nJOB=\"7\"\r\nSTATUS=17\r\n\x1e\x1d";
  EXPECT_EQ(RecordValue(packet, "ANS="), "TRC");
  EXPECT_EQ(RecordValue(packet, "JOB="), "\"7\"");
  EXPECT_EQ(RecordValue(packet, "STATUS="), "17");
  EXPECT_EQ(RecordValue(packet, "VEN="), std::nullopt);
}

}  // namespace
}  // namespace lumora::sim

#include "link/core/upload_rules.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

TEST(TraceFormat, AcceptsFormatOneWith400PointsAndE) {
  EXPECT_EQ(AcceptedTraceFormat({"\x1cREQ=TRC", "TRCFMT=1;400;E;R;F"}), "1;400;E;R;F");
}

TEST(TraceFormat, RefusesTooFewPointsOtherFormatOrNoCapitalE) {
  EXPECT_EQ(AcceptedTraceFormat({"TRCFMT=1;399;E;R;F"}), std::nullopt);
  EXPECT_EQ(AcceptedTraceFormat({"TRCFMT=2;400;E;R;F"}), std::nullopt);
  EXPECT_EQ(AcceptedTraceFormat({"TRCFMT=1;400;e;R;F"}), std::nullopt);
  EXPECT_EQ(AcceptedTraceFormat({"TRCFMT=1"}), std::nullopt);
  EXPECT_EQ(AcceptedTraceFormat({"REQ=TRC", "JOB=1"}), std::nullopt);
}

TEST(TraceFormat, LabelMustStartTheLine) {
  EXPECT_EQ(AcceptedTraceFormat({"XTRCFMT=1;400;E;R;F"}), std::nullopt);
}

TEST(TraceFormat, FirstAcceptableLineWins) {
  EXPECT_EQ(
      AcceptedTraceFormat({"TRCFMT=1;360;E;R;F", "TRCFMT=1;1000;E;R;F", "TRCFMT=1;400;E;L;F"}),
      "1;1000;E;R;F");
}

TEST(TraceFormat, CapitalEAnywhereOnLineCounts) {
  EXPECT_EQ(AcceptedTraceFormat({"TRCFMT=1;512;U;R;FE"}), "1;512;U;R;FE");
}

TEST(BodyLines, CleansAndFiltersLines) {
  const std::string body =
      "\x1c"
      "ANS=TRC\r\nJOB=123\r\n  TRCFMT=1;400;E;R;F  \r\nR=1;2;3\r\n\r\n\x1e"
      "CRC=999\r\n\x1d";
  EXPECT_EQ(TraceLinesFromBody(body),
            (Lines{"REQ=FIL", "JOB=123", "TRCFMT=1;400;E;R;F", "R=1;2;3"}));
}

TEST(BodyLines, RemovesControlCharactersInsideLines) {
  EXPECT_EQ(TraceLinesFromBody("R=1\x06;2\x15\r\n\x1e\x1d"), (Lines{"R=1;2"}));
}

TEST(BodyLines, AcceptsCrOrLfLineEnds) {
  EXPECT_EQ(TraceLinesFromBody("A=1\rB=2\nC=3"), (Lines{"A=1", "B=2", "C=3"}));
}

TEST(BodyLines, KeepsBodyWithoutJobRecord) {
  EXPECT_EQ(TraceLinesFromBody("\x1cR=1\r\n\x1e\x1d"), (Lines{"R=1"}));
}

TEST(BodyLines, KeepsHighCharacters) {
  EXPECT_EQ(TraceLinesFromBody("NOTE=\xe9t\xe9\r\n"), (Lines{"NOTE=\xe9t\xe9"}));
}

}  // namespace
}  // namespace lumora

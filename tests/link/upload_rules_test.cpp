#include "link/core/upload_rules.h"

#include <gtest/gtest.h>

namespace lumora {

using Lines = std::vector<std::string>;

// The lookup quirks tracers rely on: CR and LF both end lines; the first line that holds
// the label, anywhere in it, exact case; trimmed, then quotes, NUL and code 255 dropped.
TEST(RecordValue, FindsValuesAsTracersExpect) {
  const struct { std::string packet, label, value; } cases[] = {
      {"\x1cREQ=TRC\rJOB=12345\r\nVEN=CORVANE\r\x1e\x1d", "VEN=", "CORVANE"}, {"JOB=\"12345\"\r", "JOB=", "12345"},
      {"OLDJOB=7\rJOB=8\r", "JOB=", "7"}, {"XJOB=1JOB=2\nJOB=3", "JOB=", "1JOB=2"}, {"job=5\r", "JOB=", ""},
      {std::string("VEN=\0 AB\xff" "C \xff", 12), "VEN=", "AB C"}};
  for (const auto& c : cases) EXPECT_EQ(recordValue(packetLines(c.packet), c.label), c.value) << c.packet;
}

TEST(TraceFormat, FirstLineOfferingFormatOneWith400PointsAndACapitalE) {
  const std::pair<Lines, std::optional<std::string>> cases[] = {
      {{"\x1cREQ=TRC", "TRCFMT=1;400;E;R;F"}, "1;400;E;R;F"},
      {{"TRCFMT=1;360;E;R;F", "TRCFMT=1;1000;E;R;F", "TRCFMT=1;400;E;L;F"}, "1;1000;E;R;F"},
      {{"TRCFMT=1;512;U;R;FE"}, "1;512;U;R;FE"},  // the E may stand anywhere
      {{"TRCFMT=1;399;E;R;F"}, std::nullopt}, {{"TRCFMT=1;400;e;R;F"}, std::nullopt},
      {{"XTRCFMT=1;400;E;R;F"}, std::nullopt}, {{"REQ=TRC", "JOB=1"}, std::nullopt}};
  for (const auto& [lines, format] : cases) EXPECT_EQ(acceptedTraceFormat(lines), format) << lines.back();
}

TEST(BodyLines, CleansAndFiltersLines) {
  const std::pair<std::string, Lines> cases[] = {
      {"\x1c" "ANS=TRC\r\nJOB=123\r\n  TRCFMT=1;400;E;R;F  \r\nR=1;2;3\r\n\r\n\x1e" "CRC=999\r\n\x1d",
       {"REQ=FIL", "JOB=123", "TRCFMT=1;400;E;R;F", "R=1;2;3"}},
      {"R=1\x06;2\x15\r\n\x1e\x1d", {"R=1;2"}}, {"A=1\rB=2\nC=3", {"A=1", "B=2", "C=3"}},
      {"NOTE=\xe9t\xe9\r\n", {"NOTE=\xe9t\xe9"}}};
  for (const auto& [body, lines] : cases) EXPECT_EQ(traceLinesFromBody(body), lines) << body;
}

}  // namespace lumora

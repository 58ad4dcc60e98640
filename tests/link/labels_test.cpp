#include "link/core/labels.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

using Lines = std::vector<std::string>;

// The lookup quirks tracers rely on: first line that holds the label, anywhere in it; exact
// case on the line but a case-blind label; quotes, NUL and code 255 dropped.
TEST(ValueFromLabel, FindsValuesAsTracersExpect) {
  const struct {
    std::string packet, label, value;
  } cases[] = {
      {"\x1cREQ=TRC\rJOB=12345\rVEN=CORVANE\r\x1e\x1d", "VEN=", "CORVANE"},
      {"JOB=\"12345\"\r", "JOB=", "12345"},
      {"OLDJOB=7\rJOB=8\r", "JOB=", "7"},
      {"XJOB=1JOB=2\nJOB=3", "JOB=", "1JOB=2"},
      {"job=5\r", "JOB=", ""},
      {"VEN=CORVANE\r", "ven=", "CORVANE"},
      {"A=1\rB=2", "JOB=", ""},
      {std::string("VEN=\0 AB\xff"
                   "C \xff",
                   12),
       "VEN=", "AB C"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.packet);
    std::string packet = c.packet;
    Lines lines;
    EXPECT_EQ(ValueFromLabel(c.label, packet, lines), c.value);
  }
}

TEST(ValueFromLabel, TurnsCrIntoLfAndFillsPacketLinesOnce) {
  std::string packet = "A=1\r\nJOB=2";
  Lines lines{""};
  ValueFromLabel("JOB=", packet, lines);
  EXPECT_EQ(packet, "A=1\n\nJOB=2");
  EXPECT_EQ(lines, (Lines{"A=1", "", "JOB=2"}));
  std::string other = "JOB=3\rB=4";
  ValueFromLabel("JOB=", other, lines);
  EXPECT_EQ(lines, (Lines{"A=1", "", "JOB=2"}));
  Lines untouched;
  ValueFromLabel("VEN=", other, untouched);  // absent: the lines stay as they were
  EXPECT_TRUE(untouched.empty());
}

}  // namespace
}  // namespace lumora

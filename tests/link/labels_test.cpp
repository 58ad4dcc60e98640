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

}  // namespace
}  // namespace lumora

#include "link/core/link_texts.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(EquipMsg, StampPortEventAndJob) {
  EXPECT_EQ(EquipMsg("06/12/2026 14:03:55", 1, "Trace Received", 12345),
            "06/12/2026 14:03:55 COM:1 Trace Received: 12345");
}

TEST(EquipMsg, ZeroJobLeavesNothingAfterColon) {
  EXPECT_EQ(EquipMsg("S", 16, "Trace Received", 0), "S COM:16 Trace Received: ");
}

TEST(EquipMsg, JobHasNoSeparatorsOrLeadingZeros) {
  EXPECT_EQ(EquipMsg("S", 3, "E", 2147483647), "S COM:3 E: 2147483647");
}

TEST(JobRef, LeadingNumberOfJobText) {
  EXPECT_EQ(JobRefFromText("12345"), 12345);
  EXPECT_EQ(JobRefFromText("00042AB"), 42);
  EXPECT_EQ(JobRefFromText("ABC"), 0);
  EXPECT_EQ(JobRefFromText(""), 0);
}

TEST(JobRef, RoundsHalvesToEven) {
  EXPECT_EQ(JobRefFromText("12.5"), 12);
  EXPECT_EQ(JobRefFromText("13.5"), 14);
}

TEST(JobRef, TooLargeIsZero) { EXPECT_EQ(JobRefFromText("99999999999"), 0); }

TEST(OrderLabel, PositiveNumberShowsText) {
  EXPECT_EQ(ShowOrderNumber("12345"), "Order: 12345");
  EXPECT_EQ(ShowOrderNumber("00012"), "Order: 00012");
}

TEST(OrderLabel, ZeroOrNegativeShowsQuestionMark) {
  EXPECT_EQ(ShowOrderNumber("0"), "Order: ?");
  EXPECT_EQ(ShowOrderNumber("-7"), "Order: ?");
  EXPECT_EQ(ShowOrderNumber("0.4"), "Order: ?");
}

TEST(OrderLabel, NonNumericLeavesLabelAlone) {
  EXPECT_EQ(ShowOrderNumber("12AB"), std::nullopt);
  EXPECT_EQ(ShowOrderNumber("ABC"), std::nullopt);
  EXPECT_EQ(ShowOrderNumber(""), std::nullopt);
  EXPECT_EQ(ShowOrderNumber("99999999999"), std::nullopt);
}

TEST(ReplaceJob, RewritesFirstLineStartingWithJob) {
  std::vector<std::string> lines{"REQ=FIL", "JOBX=1", "JOB=2"};
  EXPECT_EQ(ReplaceJobNumber(lines, "NEW", ""), 1u);
  EXPECT_EQ(lines, (std::vector<std::string>{"REQ=FIL", "JOB=NEW", "JOB=2"}));
}

TEST(ReplaceJob, QuotesWhenTracerQuoted) {
  std::vector<std::string> lines{"JOB=\"1\""};
  ReplaceJobNumber(lines, "77", "\"");
  EXPECT_EQ(lines[0], "JOB=\"77\"");
}

TEST(ReplaceJob, ListWithoutJobLineUnchanged) {
  std::vector<std::string> lines{"REQ=FIL", "R=1"};
  EXPECT_EQ(ReplaceJobNumber(lines, "NEW", ""), std::nullopt);
  EXPECT_EQ(lines, (std::vector<std::string>{"REQ=FIL", "R=1"}));
}

TEST(StatusTexts, SavedAndNotSaved) {
  EXPECT_EQ(SavedStatusText("123"), "123 Trace Data Saved to Disk.\n\nWaiting for Next Trace...");
  EXPECT_EQ(NotSavedStatusText("123"), "123 Trace Data NOT Saved!\n\nWaiting for Next Trace...");
}

}  // namespace
}  // namespace lumora

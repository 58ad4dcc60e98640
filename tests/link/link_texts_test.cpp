#include "link/core/link_texts.h"

#include <gtest/gtest.h>

namespace lumora {
namespace {

TEST(EquipMsg, StampPortEventAndJobInPlainDigits) {
  EXPECT_EQ(EquipMsg("06/12/2026 14:03:55", 1, "Trace Received", 2147483647),
            "06/12/2026 14:03:55 COM:1 Trace Received: 2147483647");
  EXPECT_EQ(EquipMsg("S", 16, "Trace Received", 0), "S COM:16 Trace Received: ");
}

TEST(JobRef, LeadingNumberRoundedHalfToEven) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"12345", 12345}, {"00042AB", 42}, {"ABC", 0},        {"", 0},
      {"12.5", 12},     {"13.5", 14},    {"99999999999", 0}};
  for (const auto& [text, ref] : cases) EXPECT_EQ(JobRefFromText(text), ref) << text;
}

TEST(OrderLabel, NumberShowsTextZeroShowsQuestionMarkOtherwiseUnchanged) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"12345", "Order: 12345"}, {"00012", "Order: 00012"},    {"0", "Order: ?"},
      {"-7", "Order: ?"},        {"0.4", "Order: ?"},          {"12AB", std::nullopt},
      {"", std::nullopt},        {"99999999999", std::nullopt}};
  for (const auto& [job, label] : cases) EXPECT_EQ(ShowOrderNumber(job), label) << job;
}

TEST(ReplaceJob, RewritesFirstLineStartingWithJobInTheTracersQuotes) {
  std::vector<std::string> lines{"REQ=FIL", "JOBX=1", "JOB=2"};
  EXPECT_EQ(ReplaceJobNumber(lines, "NEW", "\""), 1u);
  EXPECT_EQ(lines, (std::vector<std::string>{"REQ=FIL", "JOB=\"NEW\"", "JOB=2"}));
  std::vector<std::string> noJob{"REQ=FIL", "R=1"};
  EXPECT_EQ(ReplaceJobNumber(noJob, "NEW", ""), std::nullopt);
  EXPECT_EQ(noJob, (std::vector<std::string>{"REQ=FIL", "R=1"}));
}

}  // namespace
}  // namespace lumora

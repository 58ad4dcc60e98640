// What a history record holds of an upload, and what the filter box and prefixes ask for.
#include <gtest/gtest.h>

#include "history/core/history_record.h"

namespace lumora {
namespace {

// Fault caught: measurements taken from the wrong eye, or made up for an upload that stored nothing.
TEST(HistoryRecord, MeasuresTheStoredTraceOnly) {
  std::string leftOnly = "REQ=FIL\r\nJOB=5\r\nDBL=17.5\r\nTRCFMT=1;400;E;L;F\r\n";
  for (int i = 0; i < 40; ++i) leftOnly += "R=2500;2500;2500;2500;2500;2500;2500;2500;2500;2500\r\n";
  const HistoryRecord stored =
      historyRecordOf({UploadOutcome::Stored, "5", 0, "/t", "5", leftOnly}, "2026-06-12T10:00:00+02:00", 3, "/dev/x");
  EXPECT_EQ(stored.file, "/t/5");
  EXPECT_NEAR(stored.a.value_or(0), 50, 0.01);
  EXPECT_NEAR(stored.circumference.value_or(0), 157.08, 0.05);
  EXPECT_EQ(stored.dbl, 17.5);
  const HistoryRecord refused = historyRecordOf({UploadOutcome::BadName, "a/b", 6}, "t", 3, "/dev/x");
  EXPECT_EQ(refused.file, "");
  EXPECT_FALSE(refused.a || refused.b || refused.circumference || refused.dbl);
  EXPECT_EQ(outcomeNamed(outcomeName(UploadOutcome::Renamed)), UploadOutcome::Renamed);
}

// Fault caught: a date typed in the box taken for a job number, or a prefix range that lets
// through the next job number ("12" matching "13") or drops one.
TEST(HistoryQuery, FilterTextAndPrefixRanges) {
  EXPECT_EQ(queryFromFilterText(" 2026-06 ").timePrefix, "2026-06");
  EXPECT_EQ(queryFromFilterText("2026").jobPrefix, "2026");
  EXPECT_EQ(queryFromFilterText("12-4").jobPrefix, "12-4");
  EXPECT_EQ(prefixEnd("12"), "13");
  EXPECT_EQ(prefixEnd("1\xff"), "2");
  EXPECT_EQ(prefixEnd(""), std::nullopt);
  EXPECT_EQ(prefixEnd("\xff\xff"), std::nullopt);
}

}  // namespace
}  // namespace lumora

// What a history record holds of an upload.
#include <gtest/gtest.h>

#include "base/core/file_read.h"
#include "history/core/history_record.h"

namespace lumora {
namespace {

// Fault caught: measurements taken from the wrong eye, or made up for an upload that stored nothing.
TEST(HistoryRecord, MeasuresTheStoredTraceOnly) {
  std::string leftOnly = "REQ=FIL\r\nJOB=5\r\nDBL=17.5\r\nTRCFMT=1;400;E;L;F\r\n";
  for (int i = 0; i < 40; ++i) leftOnly += "R=2500;2500;2500;2500;2500;2500;2500;2500;2500;2500\r\n";
  const HistoryRecord stored =
      historyRecordOf({UploadOutcome::Stored, "5", 0, "/t", "5", leftOnly}, "2026-06-12T10:00:00+02:00", 3, "/dev/x");
  EXPECT_EQ(stored.file, joinPath("/t", "5"));  // with the system's own separator
  EXPECT_NEAR(stored.a.value_or(0), 50, 0.01);
  EXPECT_NEAR(stored.circumference.value_or(0), 157.08, 0.05);
  EXPECT_EQ(stored.dbl, 17.5);
  const HistoryRecord refused = historyRecordOf({UploadOutcome::BadName, "a/b", 6}, "t", 3, "/dev/x");
  EXPECT_EQ(refused.file, "");
  EXPECT_FALSE(refused.a || refused.b || refused.circumference || refused.dbl);
  EXPECT_EQ(outcomeNamed(outcomeName(UploadOutcome::Renamed)), UploadOutcome::Renamed);
}

}  // namespace
}  // namespace lumora

#include "view/core/trace_sheet.h"

#include <gtest/gtest.h>

#include "drawn_extent.h"
#include "trace_packets.h"

namespace lumora {
namespace {

using testing::extentOf;

// The outline keeps its true size below the texts, and the check bar lies below the outline;
// a page too small for the outline at true size, or an eye without one, gets no sheet.
TEST(TraceSheet, OutlineAtTrueSizeBetweenTheNumbersAndTheCheckBar) {
  const TraceRecord circle = testing::processed("JOB=77\n" + testing::circlePacket(400, 2500, "R"));
  const Result<TraceSheet> sheet = layOutTraceSheet(circle, Side::Right, {"77", "2026-12-07"}, 180, 260);
  ASSERT_TRUE(sheet);
  const testing::Extent outline = extentOf(sheet->drawing, testing::kTraceOutline);
  EXPECT_NEAR(outline.width(), 50, 1e-9);
  EXPECT_NEAR(outline.height(), 50, 1e-9);
  const testing::Extent bar = extentOf(sheet->drawing, {0x000000, 2});
  EXPECT_NEAR(bar.width(), kCheckBarMm, 1e-9);
  EXPECT_GT(bar.top, outline.bottom);
  ASSERT_EQ(sheet->texts.size(), 5u);  // four heading lines, the bar's caption
  for (std::size_t i = 0; i < 4; ++i) EXPECT_LT(sheet->texts[i].yMm, outline.top) << sheet->texts[i].text;
  EXPECT_GT(sheet->texts[4].yMm, bar.bottom);
  EXPECT_EQ(sheet->texts[0].text, "Order: 77    Right eye");
  EXPECT_EQ(sheet->texts[1].text, "A: 50.00    B: 50.00    ED: 50.00");

  EXPECT_FALSE(layOutTraceSheet(circle, Side::Right, {}, 55, 260));   // narrower than the outline
  EXPECT_FALSE(layOutTraceSheet(circle, Side::Right, {}, 180, 80));   // the bar falls off the page
  EXPECT_FALSE(layOutTraceSheet(testing::processed("JOB=1\n"), Side::Left, {}, 180, 260));
}

}  // namespace
}  // namespace lumora

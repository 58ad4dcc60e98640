#include "view/core/dimension_labels.h"

#include <gtest/gtest.h>

#include "trace_packets.h"

namespace lumora {
namespace {

// The link's order label shows only beside the link's own trace; a saved trace is named by
// its file; a trace without an outline, or none, leaves every label empty.
TEST(PictureLabels, FollowTheOutlineShown) {
  const TraceRecord circle = testing::processed(testing::circlePacket(400, 2500));
  const TraceRecord none = testing::processed(testing::circlePacket(50, 2500));
  PictureLabels labels;
  labels.linkOrderChanged("Order: 7");
  EXPECT_EQ(labels.labels().order, "");
  labels.linkTraceShown(circle);
  EXPECT_EQ(labels.labels().order, "Order: 7");
  EXPECT_EQ(labels.labels().boxWidth, "A: 50.00");
  labels.savedTraceShown(circle, "1003");
  labels.linkOrderChanged("Order: 8");
  EXPECT_EQ(labels.labels().order, "Order: 1003");
  labels.linkTraceShown(none);
  EXPECT_EQ(labels.labels().order + labels.labels().boxWidth + labels.labels().frameType, "");
  labels.savedTraceShown(circle, "1004");
  labels.cleared();
  EXPECT_EQ(labels.labels().order + labels.labels().boxWidth, "");
}

}  // namespace
}  // namespace lumora

// Where the holes of the drill records lie, in millimetres from the eye's centre.
#include <gtest/gtest.h>

#include "trace/core/drill_holes.h"
#include "trace_packets.h"

namespace lumora {
namespace {

using Hole = std::array<double, 5>;  // start X, start Y, end X, end Y, diameter

std::vector<Hole> placed(const EyeDrillHoles& holes) {
  std::vector<Hole> out;
  for (const DrillHole& h : holes.placed) out.push_back({h.startX, h.startY, h.endX, h.endY, h.diameter});
  return out;
}

// Fields 2 to 6 are the start, the diameter and the end; a both-eye record is the left eye's
// mirrored. Only a centre-referenced record with numbers is placed, each record once though it
// stands in two sorted lists; the others are counted.
TEST(DrillHoles, CentreRecordsGiveStartDiameterAndEndMirroredForTheLeftEye) {
  const TraceRecord trace = testing::processed(testing::circlePacket(400, 2500, "R") +
                                               "DRILLE=B;C;20.00;2.50;1.60;21.50;2.50;1.60;A\n"
                                               "DRILLE=R;C;-5;-1;2.2;?;?;1;E\n"
                                               "DRILLE=R;C;?;1;2\n"
                                               "DRILLE=R;B;-19.0;-4.0;1.4;-18.5;-4.0;1.4\n"
                                               "DRILLE=L;E;5.0;1.0;1.2;6.0;1.0;1.2\n");
  const EyeDrillHoles right = drillHoles(trace, Side::Right), left = drillHoles(trace, Side::Left);
  EXPECT_EQ(placed(right), (std::vector<Hole>{{20, 2.5, 21.5, 2.5, 1.6}, {-5, -1, -5, -1, 2.2}}));
  EXPECT_EQ(right.unplaced, 2u);
  EXPECT_EQ(placed(left), (std::vector<Hole>{{-20, 2.5, -21.5, 2.5, 1.6}}));
  EXPECT_EQ(left.unplaced, 1u);
}

}  // namespace
}  // namespace lumora

#include <gtest/gtest.h>

#include "packets.h"
#include "trace/core/vca_trace.h"

namespace lumora {
using namespace lumora::testing;

namespace {
double baseCurve(const std::vector<std::string>& radii, const std::vector<std::string>& z) {
  clsVCATrace trace;
  trace.ProcessTrace(EyeRecords('R', radii, z));
  return trace.ComputeFramebase(0);
}
}  // namespace

TEST(FrameBase, CircleOnASphere) {
  // chord 50 mm, sagitta 2 mm: r = (625 + 4) / 4 = 157.25 mm
  EXPECT_NEAR(baseCurve(Repeated("2500", 400), Repeated("200", 400)), 530 / 157.25, 1e-12);
}

TEST(FrameBase, UnusableListsGiveSix) {
  EXPECT_EQ(baseCurve(Repeated("2500", 400), {}), 6.0);
  EXPECT_EQ(baseCurve(Repeated("2500", 400), Repeated("200", 399)), 6.0);
  EXPECT_EQ(baseCurve(Repeated("2500", 9), Repeated("200", 9)), 6.0);
  clsVCATrace empty;
  EXPECT_EQ(empty.ComputeFramebase(0), 6.0);
  EXPECT_EQ(empty.ComputeFramebase(5), 6.0);
}

TEST(FrameBase, DeepOutlinesAreCutToFifteen) {
  EXPECT_EQ(baseCurve(Repeated("2500", 400), Repeated("2000", 400)), 15.0);
}

TEST(FrameBase, TheDeepestOppositePairGivesTheChord) {
  // Ten points; points 2 and 7 (opposite) are deepest, with radii 3000 and 1000.
  std::vector<std::string> radii = Repeated("2000", 10), z = Repeated("100", 10);
  radii[2] = "3000", radii[7] = "1000", z[2] = "300", z[7] = "300";
  // chord 40 mm, sagitta 3 mm
  EXPECT_NEAR(baseCurve(radii, z), 530 / ((400.0 + 9) / 6), 1e-12);
}

TEST(FrameBase, OddCountsAlternateTheOppositePoint) {
  // n = 11: for i = 0 the opposite is round(5.5) = 6, for i = 1 round(6.5) = 6 + 1 = 7 -> 7.
  std::vector<std::string> radii = Repeated("2000", 11), z = Repeated("100", 11);
  z[0] = "500", z[6] = "500";  // 0 and 6 are paired; 0 and 5 are not
  radii[0] = "1000", radii[6] = "3000";
  EXPECT_NEAR(baseCurve(radii, z), 530 / ((400.0 + 25) / 10), 1e-12);
}

TEST(FrameBase, FeedsTheCurvesWhenTheTracerSendsNone) {
  clsVCATrace trace;
  trace.ProcessTrace(EyeRecords('R', Repeated("2500", 400), Repeated("200", 400)));
  EXPECT_NEAR(trace.FCRV(0), 530 / 157.25, 1e-12);
  EXPECT_NEAR(trace.BEVC(1), 530 / 157.25, 1e-12);  // copied to the synthesised eye
}

}  // namespace lumora

// The picture's extras at true size: the other eye across the bridge, and the drill holes.
#include <gtest/gtest.h>

#include "drawn_extent.h"
#include "trace_packets.h"
#include "view/core/picture_extras.h"

namespace lumora {
namespace {

using testing::extentOf;

constexpr testing::Pen kHoleRim{0xFF0000, 1};

// A right eye reaching 30 mm to its nasal side (angle 0) and 25 mm elsewhere, the frame's
// DBL 18 mm; a both-eye hole 10 mm nasal and 5 mm up, 2 mm across, and one measured from the
// edge, which cannot be placed.
const TraceRecord& nasalBulge() {
  static const TraceRecord trace = [] {
    std::vector<std::string> radii = testing::repeated("2500", 400);
    for (int i = -10; i <= 10; ++i) radii[static_cast<std::size_t>((i + 400) % 400)] = "3000";
    return testing::processed("JOB=7\nDBL=18\n" + testing::eyeRecords('R', radii) +
                              "DRILLE=B;C;10;5;2\nDRILLE=R;E;1;1;1\n");
  }();
  return trace;
}

// Lines of one pen on one half of the picture (left of x = 80 mm, or right of it).
testing::Extent halfExtent(const MillimetreSurface& surface, testing::Pen pen, bool rightHalf) {
  return rightHalf ? extentOf(surface, pen, 80) : extentOf(surface, pen, -1e9, 80);
}

// The right eye on the left, the left eye its mirror image on the right, their boxes the DBL
// apart and the pair centred; each named above its outline, each with its hole mirrored.
TEST(PictureExtras, BothEyesStandTheDblApartNamedEachWithItsHoles) {
  MillimetreSurface surface{kBothEyesPictureWidthMm, 80};
  drawWithExtras(nasalBulge(), surface, {}, {true, true});
  const testing::Extent right = halfExtent(surface, testing::kTraceOutline, false);
  const testing::Extent left = halfExtent(surface, testing::kTraceOutline, true);
  EXPECT_NEAR(right.left, 16, 1e-6);  // centre 41: 25 mm temporal, 30 mm nasal
  EXPECT_NEAR(right.right, 71, 1e-6);
  EXPECT_NEAR(left.left, 89, 1e-6);   // centre 119: 30 mm nasal, 25 mm temporal
  EXPECT_NEAR(left.right, 144, 1e-6);
  const testing::Extent rightHole = halfExtent(surface, kHoleRim, false), leftHole = halfExtent(surface, kHoleRim, true);
  EXPECT_NEAR(rightHole.left, 50, 1e-6);
  EXPECT_NEAR(rightHole.width(), 2, 1e-6);
  EXPECT_NEAR(rightHole.top, 34, 1e-6);
  EXPECT_NEAR(rightHole.height(), 2, 1e-6);
  EXPECT_NEAR(leftHole.left, 108, 1e-6);
  EXPECT_NEAR(leftHole.top, 34, 1e-6);
  ASSERT_EQ(surface.captions().size(), 3u);
  EXPECT_EQ(surface.captions()[0].text, "R");
  EXPECT_NEAR(surface.captions()[0].x, 43.5, 1e-6);
  EXPECT_EQ(surface.captions()[1].text, "L");
  EXPECT_NEAR(surface.captions()[1].x, 116.5, 1e-6);
  EXPECT_LT(surface.captions()[1].y, left.top);
  EXPECT_EQ(surface.captions()[2].text, "1 drill hole not shown");
}

// Without the other eye the holes go round the right eye where it stands alone.
TEST(PictureExtras, HolesAloneAreDrawnAroundTheCentredRightEye) {
  MillimetreSurface surface{100, 80};
  drawWithExtras(nasalBulge(), surface, {}, {false, true});
  EXPECT_NEAR(extentOf(surface, kHoleRim).left, 59, 1e-6);
  EXPECT_NEAR(extentOf(surface, kHoleRim).top, 34, 1e-6);
  EXPECT_NEAR(extentOf(surface, testing::kTraceOutline).left, 25, 1e-6);
}

}  // namespace
}  // namespace lumora

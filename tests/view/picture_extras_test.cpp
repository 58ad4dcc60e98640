// The picture's extras at true size: the other eye across the bridge, and the drill holes.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "drawn_extent.h"
#include "trace_packets.h"
#include "view/core/picture_extras.h"

namespace lumora {
namespace {

using testing::extentOf;
using ::testing::DoubleNear;
using ::testing::Pointwise;

constexpr testing::Pen kHoleRim{0xFF0000, 1};

// A right eye reaching 30 mm to its nasal side (angle 0) and 25 mm elsewhere, the frame's
// DBL 18 mm; a both-eye hole 10 mm nasal and 5 mm up, 2 mm across, and one measured from the
// edge, which cannot be placed.
TraceRecord nasalBulge() {
  std::vector<std::string> radii = testing::repeated("2500", 400);
  for (int i = -10; i <= 10; ++i) radii[static_cast<std::size_t>((i + 400) % 400)] = "3000";
  return testing::processed("JOB=7\nDBL=18\n" + testing::eyeRecords('R', radii) + "DRILLE=B;C;10;5;2\nDRILLE=R;E;1;1;1\n");
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
  const testing::Extent rightHole = halfExtent(surface, kHoleRim, false), leftHole = halfExtent(surface, kHoleRim, true);
  // Centres at 41 and 119 mm, each eye 30 mm to the nasal side and 25 mm to the other;
  // holes 2 mm across, 10 mm nasal and 5 mm above the centre line (40 mm down).
  EXPECT_THAT((std::vector{right.left, right.right, left.left, left.right}), Pointwise(DoubleNear(1e-6), {16, 71, 89, 144}));
  EXPECT_THAT((std::vector{rightHole.left, rightHole.top, rightHole.width(), rightHole.height(), leftHole.left, leftHole.top}),
              Pointwise(DoubleNear(1e-6), {50, 34, 2, 2, 108, 34}));
  ASSERT_EQ(surface.captions().size(), 3u);
  EXPECT_THAT((std::vector{surface.captions()[0].x, surface.captions()[1].x}), Pointwise(DoubleNear(1e-6), {43.5, 116.5}));
  EXPECT_LT(surface.captions()[1].y, left.top);
  EXPECT_EQ(surface.captions()[0].text + surface.captions()[1].text, "RL");
  EXPECT_EQ(surface.captions()[2].text, "1 drill hole not shown");
}

// Without the other eye the holes go round the right eye where it stands alone.
TEST(PictureExtras, HolesAloneAreDrawnAroundTheCentredRightEye) {
  MillimetreSurface surface{100, 80};
  drawWithExtras(nasalBulge(), surface, {}, {false, true});
  EXPECT_THAT((std::vector{extentOf(surface, kHoleRim).left, extentOf(surface, kHoleRim).top}),
              Pointwise(DoubleNear(1e-6), {59, 34}));
}

}  // namespace
}  // namespace lumora

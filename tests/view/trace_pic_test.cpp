#include <gtest/gtest.h>

#include <QImage>

#include "drawing_probes.h"
#include "trace_packets.h"
#include "view/qt/trace_pic.h"

namespace lumora {
namespace {

class TracePicTest : public ::testing::Test {
 protected:
  TracePicTest() {
    picture.setFixedSizeMm(100, 80);
    picture.show();
  }
  void drawCircle(std::size_t radii = 400) {
    testing::processed(testing::circlePacket(radii, 2500)).draw(picture, Side::Right, {});
  }
  QRect outlineBox() {
    const QImage image = picture.grab().toImage();
    return testing::GreenBox(image, image.width() / 2, image.height() / 2);
  }

  TracePic picture;
};

}  // namespace

TEST_F(TracePicTest, Circle_ShowsAs25mmRadiusAtTheMiddleOfThePictureSizedInScreenMillimetres) {
  EXPECT_NEAR(picture.width(), 100 * picture.pixelsPerMmX(), 0.5);
  EXPECT_NEAR(picture.height(), 80 * picture.pixelsPerMmY(), 0.5);
  drawCircle();
  const QRect box = outlineBox();
  const double diameterX = 50 * picture.pixelsPerMmX(), diameterY = 50 * picture.pixelsPerMmY();
  EXPECT_NEAR(box.width(), diameterX + 2, 3);
  EXPECT_NEAR(box.height(), diameterY + 2, 3);
  EXPECT_NEAR(box.center().x(), picture.width() / 2.0, 1.5);
  EXPECT_NEAR(box.center().y(), picture.height() / 2.0, 1.5);
}

TEST_F(TracePicTest, SizeChangedWhileHidden_IsUsedByTheNextDrawing) {
  picture.hide();
  picture.setFixedSizeMm(60, 60);
  drawCircle();
  EXPECT_NEAR(picture.drawing().lines()[400].X1, 30, 0.5);  // vertical axis at the new middle
}

}  // namespace lumora

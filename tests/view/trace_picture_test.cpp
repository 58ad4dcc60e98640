#include <gtest/gtest.h>

#include <QImage>

#include "trace_packets.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

// The box of the green pixels of `image`, leaving out 3 pixels either side of its middle
// lines, where the axes cross the outline.
QRect greenBox(const QImage& image) {
  QRect box;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QColor c = image.pixelColor(x, y);
      const bool onAxis = std::abs(y - image.height() / 2) <= 3 || std::abs(x - image.width() / 2) <= 3;
      if (!onAxis && c.green() > 200 && c.red() < 100 && c.blue() < 100) box |= QRect(x, y, 1, 1);
    }
  }
  return box;
}

TEST(TracePicture, ACircleShowsAt50mmAcrossInThePictureSizedInScreenMillimetres) {
  TracePicture picture;
  picture.setFixedSizeMm(100, 80);
  picture.show();
  EXPECT_NEAR(picture.width(), 100 * picture.pixelsPerMmX(), 0.5);
  EXPECT_NEAR(picture.height(), 80 * picture.pixelsPerMmY(), 0.5);
  const TraceRecord circle = testing::processed(testing::circlePacket(400, 2500));
  circle.draw(picture, Side::Right, {});
  const QRect box = greenBox(picture.grab().toImage());
  EXPECT_NEAR(box.width(), 50 * picture.pixelsPerMmX() + 2, 3);  // the pen is 2 pixels wide
  EXPECT_NEAR(box.height(), 50 * picture.pixelsPerMmY() + 2, 3);
  EXPECT_NEAR(box.center().x(), picture.width() / 2.0, 1.5);
  EXPECT_NEAR(box.center().y(), picture.height() / 2.0, 1.5);
  // A size set while hidden, before any resize event, is the next drawing's.
  picture.hide();
  picture.setFixedSizeMm(60, 60);
  circle.draw(picture, Side::Right, {});
  EXPECT_NEAR(picture.drawing().lines()[400].x1, 30, 0.5);  // the vertical axis at the new middle
}

}  // namespace
}  // namespace lumora

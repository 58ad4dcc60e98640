#include <gtest/gtest.h>

#include <QBuffer>
#include <QFile>
#include <cmath>

#include "drawing_probes.h"
#include "packets.h"
#include "temp_folder.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"
#include "view/qt/drawing_files.h"

namespace lumora {
namespace {

using testing::GreenBox;
using testing::ReadSvg;

constexpr double kPxPerMm = 4;  // a 400 x 300 pixel image is 100 x 75 mm

class DrawingFilesTest : public ::testing::Test {
 protected:
  // A circle of 25 mm radius drawn on a 100 x 75 mm surface.
  MillimetreSurface drawCircle() {
    MillimetreSurface surface = SurfaceForImage(400, 300, kPxPerMm);
    clsVCATrace trace;
    trace.ProcessTrace(testing::CirclePacket(400, 2500));
    trace.DrawTrace(surface, 0);
    return surface;
  }
  testing::SvgDocument svgOf(const MillimetreSurface& surface) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteDrawingSvg(surface, buffer, kPxPerMm));
    return ReadSvg(bytes);
  }
};

}  // namespace

TEST_F(DrawingFilesTest, Png_CircleIs25mmRadiusCentredOnTheImage) {
  const QImage image = DrawingToImage(drawCircle(), kPxPerMm);
  ASSERT_EQ(image.size(), QSize(400, 300));
  const QRect box = GreenBox(image, 200, 150);
  // 25 mm = 100 pixels either side of the middle, with a 2 pixel line.
  EXPECT_NEAR(box.left(), 100, 2);
  EXPECT_NEAR(box.right(), 299, 2);
  EXPECT_NEAR(box.top(), 50, 2);
  EXPECT_NEAR(box.bottom(), 249, 2);
  EXPECT_EQ(image.pixelColor(250, 100), QColor(Qt::white));  // inside the circle
  EXPECT_GT(image.pixelColor(200, 10).green(), 200);  // the vertical axis
}

TEST_F(DrawingFilesTest, Svg_IsAtTrueSizeInMillimetres) {
  const testing::SvgDocument svg = svgOf(drawCircle());
  EXPECT_EQ(svg.Width, "100mm");
  EXPECT_EQ(svg.Height, "75mm");
  EXPECT_EQ(svg.ViewBox, "0 0 100 75");
  ASSERT_EQ(svg.Lines.size(), 402u);
  for (std::size_t i = 0; i < 400; ++i) {
    const testing::SvgLine& l = svg.Lines[i];
    EXPECT_NEAR(std::hypot(l.X1 - 50, l.Y1 - 37.5), 25, 1e-3);
    EXPECT_EQ(l.Stroke, "#00ff00");
    EXPECT_DOUBLE_EQ(l.StrokeWidth, 0.5);  // 2 pixels at 4 pixels per mm
  }
  EXPECT_DOUBLE_EQ(svg.Lines[400].X1, 50);  // the vertical axis
  EXPECT_DOUBLE_EQ(svg.Lines[400].Y2, 75);
}

TEST_F(DrawingFilesTest, Save_ChoosesTheFormatByExtension) {
  testing::TempFolder folder;
  const MillimetreSurface surface = drawCircle();
  const QString base = QString::fromStdString(folder.path());
  EXPECT_TRUE(SaveDrawing(surface, base + "/a.PNG", kPxPerMm));
  EXPECT_EQ(QImage(base + "/a.PNG").size(), QSize(400, 300));
  EXPECT_TRUE(SaveDrawing(surface, base + "/a.svg", kPxPerMm));
  QFile svg(base + "/a.svg");
  ASSERT_TRUE(svg.open(QIODevice::ReadOnly));
  EXPECT_EQ(ReadSvg(svg.readAll()).Lines.size(), 402u);
  EXPECT_FALSE(SaveDrawing(surface, base + "/a.bmp", kPxPerMm));
  EXPECT_FALSE(SaveDrawing(surface, base + "/missing/a.svg", kPxPerMm));
  EXPECT_FALSE(folder.has("a.bmp"));
}

}  // namespace lumora

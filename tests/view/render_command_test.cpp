#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QProcess>
#include <QStandardPaths>
#include <QRegularExpression>
#include <filesystem>
#include <functional>
#include <sstream>

#include "base/core/file_read.h"
#include "commands.h"
#include "temp_folder.h"
#include "trace_packets.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

const std::string kSample = std::string(LUMORA_SAMPLES) + "/1001";

class RenderCommandTest : public ::testing::Test {
 protected:
  int run(std::vector<std::string> args) {
    args.insert(args.begin(), "render");
    return tool::runTool(args, {out, err});
  }
  std::string path(const std::string& name) const { return folder.file(name).string(); }
  QString text(const std::string& name) const {
    QFile file(QString::fromStdString(path(name)));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
  }

  testing::TempFolder folder;
  std::ostringstream out, err;
};

// The document's millimetres are true ones: ED 57.06, the largest radius 28.53 mm rounded up
// with 5 mm either side, makes it 68 mm across; its lines are the trace's as drawn on a
// 68 mm surface, the left eye mirrored.
TEST_F(RenderCommandTest, AnSvgHoldsTheChosenEyeAtTrueSizeInMillimetres) {
  for (const Side side : kBothSides) {
    ASSERT_EQ(run({kSample, "--side", side == Side::Right ? "0" : "1", "-o", path("1001.svg")}), 0) << err.str();
    const QString svg = text("1001.svg");
    EXPECT_TRUE(svg.contains("width=\"68mm\"") && svg.contains("viewBox=\"0 0 68 68\""));
    MillimetreSurface expected(68, 68);
    testing::processed(readFileText(kSample)).draw(expected, side, {});
    const QRegularExpression line("points=\"([-0-9.]+),([-0-9.]+) ([-0-9.]+),([-0-9.]+) \"");
    std::size_t i = 0;
    for (auto match = line.globalMatch(svg); match.hasNext(); ++i) {
      const QRegularExpressionMatch m = match.next();
      ASSERT_LT(i, expected.lines().size());
      EXPECT_NEAR(m.captured(1).toDouble(), expected.lines()[i].x1, 1e-3);
      EXPECT_NEAR(m.captured(4).toDouble(), expected.lines()[i].y2, 1e-3);
    }
    EXPECT_EQ(i, expected.lines().size());
    EXPECT_EQ(expected.lines()[0].x1 > 34, side == Side::Right);  // angle 0 lies left of the middle for the left eye
  }
}

// The format is the extension's, in any case; the image keeps true size at the given scale.
TEST_F(RenderCommandTest, APngByTheExtensionInAnyCaseAtTheGivenScale) {
  ASSERT_EQ(run({kSample, "--scale", "4", "-o", path("a.PNG")}), 0) << err.str();
  EXPECT_EQ(QImage(QString::fromStdString(path("a.PNG")), "PNG").size(), QSize(272, 272));
  // Mended fault: a name that is not UTF-8 was written under another name.
  ASSERT_EQ(run({kSample, "-o", path("caf\xE9.svg")}), 0) << err.str();
  EXPECT_TRUE(std::filesystem::exists(path("caf\xE9.svg")));
}

using PixelTest = std::function<bool(QColor)>;

// The longest run of pixels in one row that `match` accepts: its length and its row.
std::pair<int, int> longestRun(const QImage& image, const PixelTest& match) {
  std::pair<int, int> longest{0, 0};
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0, run = 0; x < image.width(); ++x)
      if ((run = match(image.pixelColor(x, y)) ? run + 1 : 0) > longest.first) longest = {run, y};
  return longest;
}

// The horizontal extent of the pixels `match` accepts outside the rows `skip` names.
int extentAcross(const QImage& image, const PixelTest& match, const std::function<bool(int)>& skip) {
  int left = image.width(), right = -1;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width() && !skip(y); ++x)
      if (match(image.pixelColor(x, y))) left = std::min(left, x), right = std::max(right, x);
  return right - left + 1;
}

// On paper the outline and the 50 mm bar are true size within 0.1 mm: the page is rasterised
// by poppler at 600 dots per inch and measured in pixels, less the width of the pens. The
// outline's horizontal axis, drawn in its colour across the whole picture, is left out.
TEST_F(RenderCommandTest, APdfPageHoldsTheOutlineAndTheCheckBarAtTrueSize) {
  const QString rasteriser = QStandardPaths::findExecutable("pdftoppm");
  if (rasteriser.isEmpty()) GTEST_SKIP() << "pdftoppm (poppler-utils) is not installed";
  ASSERT_EQ(run({kSample, "-o", path("1001.pdf")}), 0) << err.str();
  EXPECT_TRUE(text("1001.pdf").startsWith("%PDF"));
  // The top 150 mm of the page, where the sheet lies, keeps the image within Qt's size limit.
  ASSERT_EQ(QProcess::execute(rasteriser, {"-r", "600", "-H", "3550", "-png", "-singlefile", QString::fromStdString(path("1001.pdf")),
                                           QString::fromStdString(path("page"))}), 0);
  const QImage page(QString::fromStdString(path("page.png")));
  ASSERT_FALSE(page.isNull());
  constexpr double kPxPerMm = 600 / 25.4, kPenMm = 0.4;
  const auto green = [](QColor c) { return c.green() > 150 && c.red() < 120 && c.blue() < 120; };
  const auto black = [](QColor c) { return c.lightness() < 60; };
  const int axisRow = longestRun(page, green).second;
  const auto nearAxis = [&](int y) { return std::abs(y - axisRow) < kPxPerMm / 2; };
  const double outlineMm = extentAcross(page, green, nearAxis) / kPxPerMm - kPenMm;
  EXPECT_NEAR(outlineMm, testing::processed(readFileText(kSample)).boxWidth(Side::Right), 0.1);
  EXPECT_NEAR(longestRun(page, black).first / kPxPerMm - kPenMm, 50, 0.1);
}

TEST_F(RenderCommandTest, BadUsageExitsWithTwoAMissingFileOrNoOutlineWithOne) {
  for (const auto& args : {std::vector<std::string>{kSample}, {kSample, "-o", path("x.bmp")},
                           {kSample, "--side", "2", "-o", path("x.png")}, {kSample, "--scale", "21", "-o", path("x.png")},
                           {kSample, "--scale", "1e-300", "-o", path("x.svg")}})
    EXPECT_EQ(run(args), 2) << ::testing::PrintToString(args);
  EXPECT_NE(err.str().find("usage: lumora-trace render"), std::string::npos);
  EXPECT_EQ(run({path("missing"), "-o", path("x.png")}), 1);
  folder.write("empty", "REQ=TRC\nJOB=1\n");
  EXPECT_EQ(run({path("empty"), "-o", path("x.png")}), 1);
  EXPECT_NE(err.str().find("holds no outline"), std::string::npos);
  EXPECT_EQ(run({kSample, "-o", path("missing/x.png")}), 1);
  EXPECT_FALSE(folder.has("x.png"));
}

}  // namespace
}  // namespace lumora

#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <filesystem>
#include <sstream>

#include "commands.h"
#include "drawing_probes.h"
#include "temp_folder.h"
#include "base/core/file_read.h"
#include "trace_packets.h"
#include "view/core/millimetre_surface.h"
#include "view/qt/drawing_files.h"

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
  testing::SvgDocument svg(const std::string& name) const {
    QFile file(QString::fromStdString(path(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return testing::ReadSvg(file.readAll());
  }
  // `packet`'s outline as the trace record draws it on a square surface of `sideMm`, true size.
  static MillimetreSurface drawn(const std::string& packet, Side side, double sideMm) {
    MillimetreSurface surface(sideMm, sideMm);
    testing::processed(packet).draw(surface, side, {});
    return surface;
  }

  testing::TempFolder folder;
  std::ostringstream out, err;
};

}  // namespace

// True size; the left eye mirrored.
TEST_F(RenderCommandTest, Svg_HoldsTheChosenEyeAtTrueSizeInMillimetres) {
  for (const Side side : kBothSides) {
    const std::string number = side == Side::Right ? "0" : "1";
    SCOPED_TRACE(number);
    ASSERT_EQ(run({kSample, "--side", number, "-o", path("1001.svg")}), 0) << err.str();
    const testing::SvgDocument doc = svg("1001.svg");
    // ED 57.06: the largest radius 28.53 mm, rounded up, with 5 mm either side.
    EXPECT_EQ(doc.Width, "68mm");
    EXPECT_EQ(doc.ViewBox, "0 0 68 68");
    const std::vector<DrawnLine> expected = drawn(readFileText(kSample), side, 68).lines();
    ASSERT_EQ(doc.Lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(doc.Lines[i].X1, expected[i].X1, 1e-3);
      EXPECT_NEAR(doc.Lines[i].Y2, expected[i].Y2, 1e-3);
    }
    EXPECT_EQ(doc.Lines[0].X1 > 34, side == Side::Right);  // angle 0 lies left of the middle for the left eye
  }
}

// The format is the extension's, in any case; the image keeps true size at the given scale.
TEST_F(RenderCommandTest, Png_ByTheExtensionInAnyCaseAtTheGivenScale) {
  ASSERT_EQ(run({kSample, "--scale", "4", "-o", path("a.PNG")}), 0) << err.str();
  EXPECT_EQ(QImage(QString::fromStdString(path("a.PNG")), "PNG").size(), QSize(272, 272));
  const QByteArray svg = DrawingFileBytes(drawn(testing::circlePacket(400, 2500), Side::Right, 100), DrawingFormat::Svg, 4);
  EXPECT_EQ(testing::ReadSvg(svg).Lines.size(), 402u);
  // Mended fault: a name that is not UTF-8 was written under another name.
  ASSERT_EQ(run({kSample, "-o", path("caf\xE9.svg")}), 0) << err.str();
  EXPECT_TRUE(std::filesystem::exists(path("caf\xE9.svg")));
}

TEST_F(RenderCommandTest, BadUsageExitsWithTwoAMissingFileOrNoOutlineWithOne) {
  const std::vector<std::string> usage[] = {{kSample},
                                            {kSample, "-o", path("x.bmp")},
                                            {kSample, "--side", "2", "-o", path("x.png")},
                                            {kSample, "--scale", "21", "-o", path("x.png")},
                                            {kSample, "--scale", "1e-300", "-o", path("x.svg")}};
  for (const auto& args : usage) EXPECT_EQ(run(args), 2) << ::testing::PrintToString(args);
  EXPECT_NE(err.str().find("usage: lumora-trace render"), std::string::npos);
  EXPECT_EQ(run({path("missing"), "-o", path("x.png")}), 1);
  folder.write("empty", "REQ=TRC\nJOB=1\n");
  EXPECT_EQ(run({path("empty"), "-o", path("x.png")}), 1);
  EXPECT_NE(err.str().find("holds no outline"), std::string::npos);
  EXPECT_EQ(run({kSample, "-o", path("missing/x.png")}), 1);
  EXPECT_FALSE(folder.has("x.png"));
}

}  // namespace lumora

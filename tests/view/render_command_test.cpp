#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <cmath>
#include <sstream>

#include "commands.h"
#include "drawing_probes.h"
#include "temp_folder.h"
#include "trace/core/shared_values.h"
#include "trace/core/vca_trace.h"
#include "view/core/millimetre_surface.h"

namespace lumora {
namespace {

const std::string kSample = std::string(LUMORA_SAMPLES) + "/1001";

class RenderCommandTest : public ::testing::Test {
 protected:
  int run(std::vector<std::string> args) {
    args.insert(args.begin(), "render");
    return tool::RunTool(args, {out, err});
  }
  std::string path(const std::string& name) const { return folder.file(name).string(); }
  testing::SvgDocument svg(const std::string& name) const {
    QFile file(QString::fromStdString(path(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    return testing::ReadSvg(file.readAll());
  }
  // The sample's outline as DrawTrace draws it on a surface of `sideMm`.
  std::vector<DrawnLine> drawnSample(int side, double sideMm) const {
    clsVCATrace trace;
    trace.ProcessTrace(ReadFileText(kSample));
    MillimetreSurface surface(sideMm, sideMm);
    trace.DrawTrace(surface, side);
    return surface.lines();
  }

  testing::TempFolder folder;
  std::ostringstream out, err;
};

}  // namespace

// True size whatever this screen's calibration factors; the left eye mirrored.
TEST_F(RenderCommandTest, Svg_HoldsTheChosenEyeAtTrueSizeInMillimetres) {
  for (const int side : {0, 1}) {
    SCOPED_TRACE(side);
    Shared().HBias = 1.5;
    ASSERT_EQ(run({kSample, "--side", std::to_string(side), "-o", path("1001.svg")}), 0) << err.str();
    Shared().HBias = 1.0;
    const testing::SvgDocument doc = svg("1001.svg");
    // ED 57.06: the largest radius 28.53 mm, rounded up, with 5 mm either side.
    EXPECT_EQ(doc.Width, "68mm");
    EXPECT_EQ(doc.ViewBox, "0 0 68 68");
    const std::vector<DrawnLine> expected = drawnSample(side, 68);
    ASSERT_EQ(doc.Lines.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i) {
      EXPECT_NEAR(doc.Lines[i].X1, expected[i].X1, 1e-3);
      EXPECT_NEAR(doc.Lines[i].Y2, expected[i].Y2, 1e-3);
    }
    EXPECT_EQ(doc.Lines[0].X1 > 34, side == 0);  // angle 0 lies left of the middle for the left eye
  }
}

TEST_F(RenderCommandTest, Png_IsDrawnAtTheGivenPixelsPerMillimetre) {
  ASSERT_EQ(run({kSample, "-o", path("1001.png"), "--scale", "5"}), 0) << err.str();
  const QImage image(QString::fromStdString(path("1001.png")));
  ASSERT_EQ(image.size(), QSize(340, 340));
  const QRect box = testing::GreenBox(image, 170, 170);
  EXPECT_NEAR(box.width(), 52.77 * 5, 4);  // A of the right eye
  EXPECT_NEAR(box.height(), 39.15 * 5, 4);  // B
}

TEST_F(RenderCommandTest, BadUsage_ExitsWithTwo) {
  const std::vector<std::string> cases[] = {{kSample},
                                            {kSample, "-o", path("x.bmp")},
                                            {kSample, "--side", "2", "-o", path("x.png")},
                                            {kSample, "--scale", "0", "-o", path("x.png")},
                                            {kSample, "--scale", "21", "-o", path("x.png")},
                                            {kSample, "--colour", "red", "-o", path("x.png")}};
  for (const auto& args : cases) EXPECT_EQ(run(args), 2) << ::testing::PrintToString(args);
  EXPECT_NE(err.str().find("usage: lumora-trace render"), std::string::npos);
  EXPECT_FALSE(folder.has("x.png"));
}

TEST_F(RenderCommandTest, MissingFileOrNoOutline_ExitsWithOne) {
  EXPECT_EQ(run({path("missing"), "-o", path("x.png")}), 1);
  folder.write("empty", "REQ=TRC\nJOB=1\n");
  EXPECT_EQ(run({path("empty"), "-o", path("x.png")}), 1);
  EXPECT_NE(err.str().find("holds no outline"), std::string::npos);
  EXPECT_EQ(run({kSample, "-o", path("missing/x.png")}), 1);
  EXPECT_NE(err.str().find("cannot write"), std::string::npos);
}

}  // namespace lumora

#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <memory>

#include "base/qt/settings_store.h"
#include "temp_settings.h"
#include "base/core/shared_values.h"
#include "view/core/calibration.h"
#include "view/qt/frm_calibrate.h"
#include "view/qt/trace_pic.h"

namespace lumora {
namespace {

class FrmCalibrateTest : public ::testing::Test {
 protected:
  ~FrmCalibrateTest() override { Shared().HBias = Shared().VBias = 1.0; }

  void open() {
    dialog = std::make_unique<frmCalibrate>(store);
    dialog->show();
  }
  QString text(const char* name) const { return dialog->findChild<QLabel*>(name)->text(); }
  void press(const char* name, int times = 1) const {
    for (int i = 0; i < times; ++i) dialog->findChild<QPushButton*>(name)->click();
  }
  // Width and height (mm) of the black outline on the dialog's picture.
  std::pair<double, double> outlineSizeMm() const {
    double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
    for (const DrawnLine& l : dialog->picture().drawing().lines()) {
      if (l.Colour != 0) continue;
      minX = std::min({minX, l.X1, l.X2}), maxX = std::max({maxX, l.X1, l.X2});
      minY = std::min({minY, l.Y1, l.Y2}), maxY = std::max({maxY, l.Y1, l.Y2});
    }
    return {maxX - minX, maxY - minY};
  }

  testing::TempSettings settings;
  SettingsStore store;
  std::unique_ptr<frmCalibrate> dialog;
};

}  // namespace

// Mended fault: the picture kept its size, so on a screen reported a third too small the
// circle left the picture before it could be brought to 50 mm. It grows with the factors.
TEST_F(FrmCalibrateTest, ThePictureGrowsSoTheCircleStaysWholeAtLargeFactors) {
  open();
  const MillimetreSurface& drawing = dialog->picture().drawing();
  EXPECT_NEAR(drawing.widthMm(), 90, 0.5);
  EXPECT_NEAR(drawing.heightMm(), 75, 0.5);
  press("VIcmd", 120);
  press("HIcmd", 160);
  const auto [width, height] = outlineSizeMm();
  EXPECT_NEAR(width, 90, 1e-6);
  EXPECT_NEAR(height, 80, 1e-6);
  const auto outside = std::count_if(drawing.lines().begin(), drawing.lines().end(), [&](const DrawnLine& l) {
    return std::min(l.X1, l.X2) < 0 || std::max(l.X1, l.X2) > drawing.widthMm() || std::min(l.Y1, l.Y2) < 0 ||
           std::max(l.Y1, l.Y2) > drawing.heightMm();
  });
  EXPECT_EQ(outside, 0);
}

// The buttons step the factors by 0.005 and redraw, the labels stay nominal; the close box
// keeps the factors for this run only, Ok stores both.
TEST_F(FrmCalibrateTest, ButtonsStepTheFactorsCloseKeepsThemInMemoryOkStoresThem) {
  store.write(Setting::HBias, "1.05");
  LoadBiasSettings(store.lookup());
  open();
  EXPECT_NEAR(outlineSizeMm().first, 52.5, 1e-9);
  press("HIcmd", 4);
  dialog->close();
  EXPECT_EQ(Shared().HBias, 1.07);
  EXPECT_EQ(store.read(Setting::HBias), "1.05");
  EXPECT_FALSE(store.readKey("VBias"));

  open();
  press("HIcmd", 4);
  press("HDcmd");
  press("VIcmd", 2);
  press("VDcmd", 3);
  EXPECT_EQ(std::make_pair(Shared().HBias, Shared().VBias), std::make_pair(1.085, 0.995));
  const auto [w, h] = outlineSizeMm();
  EXPECT_NEAR(w, 54.25, 1e-9);
  EXPECT_NEAR(h, 49.75, 1e-9);
  EXPECT_EQ(text("FrameAlbl"), "A: 50.00");
  press("SaveCmd");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::HBias), "1.085");
  EXPECT_EQ(store.read(Setting::VBias), "0.995");
}

}  // namespace lumora

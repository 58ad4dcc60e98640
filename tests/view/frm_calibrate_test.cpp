#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <algorithm>
#include <memory>

#include "drawing_probes.h"
#include "setup/qt/settings_store.h"
#include "temp_settings.h"
#include "trace/core/shared_values.h"
#include "view/core/calibration.h"
#include "view/qt/frm_calibrate.h"
#include "view/qt/trace_pic.h"

namespace lumora {
namespace {

class FrmCalibrateTest : public ::testing::Test {
 protected:
  ~FrmCalibrateTest() override { Shared().HBias = Shared().VBias = 1.0; }

  frmCalibrate& open() {
    dialog = std::make_unique<frmCalibrate>(store);
    dialog->show();
    return *dialog;
  }
  QString text(const char* name) const { return dialog->findChild<QLabel*>(name)->text(); }
  void press(const char* name, int times = 1) const {
    QPushButton* b = dialog->findChild<QPushButton*>(name);
    for (int i = 0; i < times; ++i) b->click();
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

TEST_F(FrmCalibrateTest, Opening_DrawsTheNominalCircleAndItsLabels) {
  open();
  EXPECT_EQ(dialog->windowTitle(), "Calibrate Display");
  EXPECT_EQ(text("Label1"), "Click the appropriate buttons below until the circle below measures "
                            "exactly 50 millimeters in diameter.");
  EXPECT_EQ(text("FrameAlbl"), "A: 50.00");
  EXPECT_EQ(text("FrameBlbl"), "B: 50.00");
  EXPECT_EQ(text("FrameEDlbl"), "ED: 50.00");
  EXPECT_EQ(text("CircumLbl"), "C: 157.08");
  EXPECT_EQ(dialog->picture().toolTip(), "Trace display window");
  EXPECT_EQ(dialog->findChild<QLabel*>("Image1")->toolTip(), "Calibrate Your Display");
  const auto [w, h] = outlineSizeMm();
  EXPECT_NEAR(w, 50, 1e-9);
  EXPECT_NEAR(h, 50, 1e-9);
}

TEST_F(FrmCalibrateTest, ButtonCaptions_AreThoseOfTheDialog) {
  open();
  const std::pair<const char*, const char*> buttons[] = {
      {"HDcmd", "Decrease Horizontal"}, {"HIcmd", "Increase Horizontal"}, {"VDcmd", "Decrease Vertical"},
      {"VIcmd", "Increase Vertical"}, {"SaveCmd", "&OK"}};
  for (const auto& [name, caption] : buttons) {
    EXPECT_EQ(dialog->findChild<QPushButton*>(name)->text(), caption) << name;
  }
}

TEST_F(FrmCalibrateTest, TwentyIncreases_GiveExactly1point1And55mmWide) {
  open();
  press("HIcmd", 20);
  EXPECT_EQ(Shared().HBias, 1.1);
  EXPECT_EQ(Shared().VBias, 1.0);
  const auto [w, h] = outlineSizeMm();
  EXPECT_NEAR(w, 55, 1e-9);
  EXPECT_NEAR(h, 50, 1e-9);
  EXPECT_EQ(text("FrameAlbl"), "A: 50.00");
}

TEST_F(FrmCalibrateTest, EachButton_StepsItsFactorByPoint005) {
  open();
  press("HDcmd");
  press("VIcmd", 2);
  EXPECT_EQ(Shared().HBias, 0.995);
  EXPECT_EQ(Shared().VBias, 1.01);
  press("VDcmd", 3);
  EXPECT_EQ(Shared().VBias, 0.995);
  EXPECT_NEAR(outlineSizeMm().second, 49.75, 1e-9);
}

TEST_F(FrmCalibrateTest, Circle_IsDrawnOnScreenWithTheFactors) {
  Shared().HBias = 1.2;
  open();
  const QImage image = dialog->findChild<TracePic*>("TracePic")->grab().toImage();
  const QRect inner = image.rect().adjusted(3, 3, -3, -3);  // inside the picture's frame
  const QRect box = testing::DarkBox(image.copy(inner));
  EXPECT_NEAR(box.width(), 60 * dialog->picture().pixelsPerMmX(), 3);
  EXPECT_NEAR(box.height(), 50 * dialog->picture().pixelsPerMmY(), 3);
}

TEST_F(FrmCalibrateTest, Ok_StoresBothFactorsAndCloses) {
  open();
  press("HIcmd", 20);
  press("VDcmd");
  press("SaveCmd");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(store.read(Setting::HBias), "1.1");
  EXPECT_EQ(store.read(Setting::VBias), "0.995");
}

TEST_F(FrmCalibrateTest, Ok_StoresOneForAFactorOfPointOneOrLess) {
  Shared().HBias = 0.1, Shared().VBias = 0.105;
  open();
  press("SaveCmd");
  EXPECT_EQ(store.read(Setting::HBias), "1");
  EXPECT_EQ(store.read(Setting::VBias), "0.105");
  EXPECT_EQ(Shared().HBias, 1.0);
}

TEST_F(FrmCalibrateTest, CloseBox_KeepsTheFactorsInMemoryWithoutStoringThem) {
  store.write(Setting::HBias, "1.05");
  Shared().HBias = 1.05;
  open();
  press("HIcmd", 4);
  dialog->close();
  EXPECT_EQ(Shared().HBias, 1.07);
  EXPECT_EQ(store.read(Setting::HBias), "1.05");
  EXPECT_FALSE(store.readKey("VBias"));
  LoadBiasSettings(store.lookup());  // the next start
  EXPECT_EQ(Shared().HBias, 1.05);
}

TEST_F(FrmCalibrateTest, StoredFactorReadAtStart_OpensTheCircle50point75Wide) {
  store.write(Setting::HBias, "1.015");
  LoadBiasSettings(store.lookup());
  open();
  EXPECT_NEAR(outlineSizeMm().first, 50.75, 1e-9);
}

TEST_F(FrmCalibrateTest, FactorDecreasedToZero_FlattensTheCircleWithoutFailing) {
  open();
  press("HDcmd", 201);
  EXPECT_EQ(Shared().HBias, -0.005);
  EXPECT_NEAR(outlineSizeMm().first, 0.25, 1e-9);
  EXPECT_EQ(text("FrameAlbl"), "A: 50.00");
}

}  // namespace lumora

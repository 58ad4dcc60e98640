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

TEST_F(FrmCalibrateTest, OpeningDrawsTheCircleWithTheFactorsOnScreenAndNominalLabels) {
  Shared().HBias = 1.2;
  open();
  const std::pair<const char*, const char*> labels[] = {
      {"FrameAlbl", "A: 50.00"}, {"FrameBlbl", "B: 50.00"}, {"FrameEDlbl", "ED: 50.00"}, {"CircumLbl", "C: 157.08"}};
  for (const auto& [name, label] : labels) EXPECT_EQ(text(name), label);
  const QImage image = dialog->findChild<TracePic*>("TracePic")->grab().toImage();
  const QRect box = testing::DarkBox(image.copy(image.rect().adjusted(3, 3, -3, -3)));  // inside the frame
  EXPECT_NEAR(box.width(), 60 * dialog->picture().pixelsPerMmX(), 3);
  EXPECT_NEAR(box.height(), 50 * dialog->picture().pixelsPerMmY(), 3);
}

TEST_F(FrmCalibrateTest, EachButtonStepsItsFactorByPoint005AndRedraws) {
  open();
  press("HIcmd", 20);
  press("HDcmd");
  press("VIcmd", 2);
  EXPECT_EQ(Shared().HBias, 1.095);
  EXPECT_EQ(Shared().VBias, 1.01);
  press("VDcmd", 3);
  EXPECT_EQ(Shared().VBias, 0.995);
  const auto [w, h] = outlineSizeMm();
  EXPECT_NEAR(w, 54.75, 1e-9);
  EXPECT_NEAR(h, 49.75, 1e-9);
  EXPECT_EQ(text("FrameAlbl"), "A: 50.00");
}

TEST_F(FrmCalibrateTest, OkStoresBothFactorsAndCloses) {
  open();
  press("HIcmd", 20);
  press("VDcmd");
  press("SaveCmd");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  EXPECT_EQ(store.read(Setting::HBias), "1.1");
  EXPECT_EQ(store.read(Setting::VBias), "0.995");
}

TEST_F(FrmCalibrateTest, CloseBoxKeepsTheFactorsInMemoryWithoutStoringThem) {
  store.write(Setting::HBias, "1.05");
  LoadBiasSettings(store.lookup());
  open();
  EXPECT_NEAR(outlineSizeMm().first, 52.5, 1e-9);
  press("HIcmd", 4);
  dialog->close();
  EXPECT_EQ(Shared().HBias, 1.07);
  EXPECT_EQ(store.read(Setting::HBias), "1.05");
  EXPECT_FALSE(store.readKey("VBias"));
  LoadBiasSettings(store.lookup());  // the next start
  EXPECT_EQ(Shared().HBias, 1.05);
}

}  // namespace lumora

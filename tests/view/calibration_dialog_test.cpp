#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>

#include "base/qt/settings_store.h"
#include "drawn_extent.h"
#include "temp_settings.h"
#include "view/qt/calibration_dialog.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

void press(CalibrationDialog& dialog, const char* button, int times = 1) {
  for (int i = 0; i < times; ++i) dialog.findChild<QPushButton*>(button)->click();
}

testing::Extent circle(const CalibrationDialog& dialog) {
  return testing::extentOf(dialog.picture().drawing(), testing::kCalibrationCircle);
}

// The buttons step the factors in use by 0.005 and redraw; the labels stay nominal. The close
// box keeps the factors for this run only; OK stores both.
TEST(CalibrationDialog, ButtonsStepTheFactorsInUseOkStoresThem) {
  testing::TempSettings temp;
  SettingsStore store;
  ScreenCalibration calibration{1.05, 1};
  {
    CalibrationDialog dialog(store, calibration);
    dialog.show();
    EXPECT_NEAR(circle(dialog).width(), 52.5, 1e-9);
    press(dialog, "increaseHorizontalButton", 4);
    dialog.close();
  }
  EXPECT_EQ(calibration.horizontal, 1.07);
  EXPECT_FALSE(store.readKey("HBias"));

  CalibrationDialog dialog(store, calibration);
  dialog.show();
  press(dialog, "increaseHorizontalButton", 3);
  press(dialog, "decreaseHorizontalButton");
  press(dialog, "increaseVerticalButton", 2);
  press(dialog, "decreaseVerticalButton", 3);
  EXPECT_EQ(std::pair(calibration.horizontal, calibration.vertical), std::pair(1.08, 0.995));
  EXPECT_NEAR(circle(dialog).width(), 54, 1e-9);
  EXPECT_NEAR(circle(dialog).height(), 49.75, 1e-9);
  EXPECT_EQ(dialog.findChild<QLabel*>("boxWidthLabel")->text(), "A: 50.00");
  press(dialog, "okButton");
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(store.read(Setting::HBias) + " " + store.read(Setting::VBias), "1.08 0.995");

  // Mended fault: the picture kept its size, so on a screen reported a third too small the
  // circle left the picture before it could be brought to 50 mm.
  EXPECT_NEAR(dialog.picture().drawing().widthMm(), 90, 0.5);
  press(dialog, "increaseVerticalButton", 121);
  press(dialog, "increaseHorizontalButton", 144);
  const testing::Extent large = circle(dialog);
  EXPECT_NEAR(large.width(), 90, 1e-6);
  EXPECT_NEAR(large.height(), 80, 1e-6);
  EXPECT_GE(large.left, 0);
  EXPECT_GE(large.top, 0);
  EXPECT_LE(large.right, dialog.picture().drawing().widthMm());
  EXPECT_LE(large.bottom, dialog.picture().drawing().heightMm());
}

}  // namespace
}  // namespace lumora

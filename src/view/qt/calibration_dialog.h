// The screen calibration dialog: draws a 50 mm reference circle with the calibration factors
// in use, steps them by 0.005 horizontally and vertically until a ruler held to the screen
// reads 50 mm, and stores them on OK. The factors change in memory with each press, so trace
// drawing uses them at once; only OK stores them.
#pragma once

#include <cstdint>
#include <vector>

#include <QDialog>

#include "trace/core/picture_surface.h"

class QLabel;
class QPushButton;

namespace lumora {

class SettingsStore;
class TracePicture;

class CalibrationDialog : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog and draws the reference circle at `calibration`, the factors in use,
  // which the dialog changes; both must outlive it.
  CalibrationDialog(SettingsStore& settings, ScreenCalibration& calibration, QWidget* parent = nullptr);

  const TracePicture& picture() const { return *picture_; }

 private:
  QPushButton* addButton(const char* name, const char* caption, double ScreenCalibration::*factor,
                         std::int64_t units);
  void buildLayout();
  void fitPicture();
  void drawFigure();
  // A step button: `factor` moved by `units` ten-thousandths, then drawn again.
  void onStepClicked(double ScreenCalibration::*factor, std::int64_t units);
  void onOkClicked();

  SettingsStore& settings_;
  ScreenCalibration& calibration_;
  std::vector<double> radii_;  // hundredths of a millimetre
  QLabel* instructionLabel_;
  TracePicture* picture_;
  QLabel* boxWidthLabel_;
  QLabel* boxHeightLabel_;
  QLabel* effectiveDiameterLabel_;
  QLabel* circumferenceLabel_;
  QLabel* illustrationLabel_;
  QPushButton* decreaseHorizontalButton_;
  QPushButton* increaseHorizontalButton_;
  QPushButton* decreaseVerticalButton_;
  QPushButton* increaseVerticalButton_;
  QPushButton* okButton_;
};

}  // namespace lumora

// The screen calibration dialog: draws a 50 mm reference circle with the current calibration
// factors, steps the factors by 0.005 horizontally and vertically until a ruler held to the
// screen reads 50 mm, and stores them on OK. The factors change in memory with each press,
// so trace drawing uses them at once; only OK stores them.
#pragma once

#include <cstdint>
#include <vector>

#include <QDialog>

class QLabel;
class QPushButton;

namespace lumora {

class SettingsStore;
class TracePic;

class frmCalibrate : public QDialog {
  Q_OBJECT

 public:
  // Loads the dialog and draws the reference circle at the current factors.
  explicit frmCalibrate(SettingsStore& settings, QWidget* parent = nullptr);

  const TracePic& picture() const { return *picture_; }

  void HDcmd_Click();
  void HIcmd_Click();
  void VDcmd_Click();
  void VIcmd_Click();
  // Stores the factors, then closes the dialog.
  void SaveCmd_Click();

 private:
  QPushButton* addButton(const char* name, const char* caption, void (frmCalibrate::*handler)());
  void buildLayout();
  void fitPicture();
  void DrawCalTrace();
  void SaveBiasSettings();

  SettingsStore& settings_;
  std::vector<double> radii_;  // hundredths of a millimetre
  QLabel* Label1;
  TracePic* picture_;
  QLabel* FrameAlbl;
  QLabel* FrameBlbl;
  QLabel* FrameEDlbl;
  QLabel* CircumLbl;
  QLabel* Image1;
  QPushButton* HDcmd;
  QPushButton* HIcmd;
  QPushButton* VDcmd;
  QPushButton* VIcmd;
  QPushButton* SaveCmd;
};

}  // namespace lumora

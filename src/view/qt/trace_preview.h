// A trace file previewed inside a window: its right eye drawn at true size, its measurements
// as the main window shows them, and the file's date and size. A file that is no trace, or
// cannot be read, shows a line saying so in place of the picture.
#pragma once

#include <string>

#include <QWidget>

class QLabel;
class QStackedWidget;

namespace lumora {

class TracePicture;
struct ScreenCalibration;

class TracePreview : public QWidget {
  Q_OBJECT

 public:
  // Draws at `calibration`, which must outlive the preview.
  explicit TracePreview(const ScreenCalibration& calibration, QWidget* parent = nullptr);

  // The file `name` of `folder` (UTF-8 texts, or the bytes the link named it by).
  void showFile(const std::string& folder, const std::string& name);
  void clear();

 private:
  void showNotice(const QString& text);

  const ScreenCalibration& calibration_;
  QStackedWidget* place_;  // the picture or, in its place, the notice
  TracePicture* picture_;
  QLabel* notice_;
  QLabel* facts_;
};

}  // namespace lumora

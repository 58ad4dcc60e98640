#include "view/qt/calibration_dialog.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "base/qt/qt_text.h"
#include "base/qt/settings_store.h"
#include "view/core/calibration.h"
#include "view/core/calibration_figure.h"
#include "view/qt/trace_picture.h"

namespace lumora {
namespace {

QLabel* namedLabel(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

// A ruler laid across a circle.
QPixmap illustration() {
  QPixmap pixmap(96, 96);
  pixmap.fill(Qt::white);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(Qt::black, 2));
  p.drawEllipse(QRectF(18, 10, 60, 60));
  p.setPen(QPen(QColor(0, 0, 255), 1));
  p.drawLine(QPointF(48, 6), QPointF(48, 74));
  p.drawLine(QPointF(14, 40), QPointF(82, 40));
  p.setPen(QPen(Qt::black, 1));
  p.setBrush(QColor(250, 220, 120));
  p.drawRect(QRectF(8, 76, 80, 14));
  for (int mm = 0; mm <= 16; ++mm) {
    const double x = 12 + mm * 4.5;
    p.drawLine(QPointF(x, 76), QPointF(x, mm % 5 == 0 ? 84 : 80));
  }
  return pixmap;
}

}  // namespace

CalibrationDialog::CalibrationDialog(SettingsStore& settings, ScreenCalibration& calibration, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      calibration_(calibration),
      instructionLabel_(namedLabel("instructionLabel",
                                   QStringLiteral("Click the appropriate buttons below until the circle below "
                                                  "measures exactly 50 millimeters in diameter."),
                                   this)),
      picture_(new TracePicture(this)),
      boxWidthLabel_(namedLabel("boxWidthLabel", {}, this)),
      boxHeightLabel_(namedLabel("boxHeightLabel", {}, this)),
      effectiveDiameterLabel_(namedLabel("effectiveDiameterLabel", {}, this)),
      circumferenceLabel_(namedLabel("circumferenceLabel", {}, this)),
      illustrationLabel_(namedLabel("illustrationLabel", {}, this)),
      decreaseHorizontalButton_(addButton("decreaseHorizontalButton", "Decrease Horizontal",
                                          &ScreenCalibration::horizontal, -kBiasStep)),
      increaseHorizontalButton_(addButton("increaseHorizontalButton", "Increase Horizontal",
                                          &ScreenCalibration::horizontal, kBiasStep)),
      decreaseVerticalButton_(addButton("decreaseVerticalButton", "Decrease Vertical",
                                        &ScreenCalibration::vertical, -kBiasStep)),
      increaseVerticalButton_(addButton("increaseVerticalButton", "Increase Vertical",
                                        &ScreenCalibration::vertical, kBiasStep)),
      okButton_(new QPushButton(QStringLiteral("&OK"), this)) {
  setObjectName(QStringLiteral("calibrationDialog"));
  setWindowTitle(QStringLiteral("Calibrate Display"));
  okButton_->setObjectName(QStringLiteral("okButton"));
  okButton_->setAutoDefault(false);
  connect(okButton_, &QPushButton::clicked, this, &CalibrationDialog::onOkClicked);
  buildLayout();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  radii_ = referenceCircle();
  drawFigure();
  QGuiApplication::restoreOverrideCursor();
}

QPushButton* CalibrationDialog::addButton(const char* name, const char* caption, double ScreenCalibration::*factor,
                                          std::int64_t units) {
  auto* button = new QPushButton(QString::fromLatin1(caption), this);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  connect(button, &QPushButton::clicked, this, [this, factor, units] { onStepClicked(factor, units); });
  return button;
}

void CalibrationDialog::buildLayout() {
  instructionLabel_->setWordWrap(true);
  illustrationLabel_->setPixmap(illustration());
  illustrationLabel_->setToolTip(QStringLiteral("Calibrate Your Display"));
  auto* side = new QVBoxLayout;
  side->addWidget(illustrationLabel_);
  for (QLabel* label : {boxWidthLabel_, boxHeightLabel_, effectiveDiameterLabel_, circumferenceLabel_})
    side->addWidget(label);
  side->addStretch(1);
  auto* layout = new QGridLayout(this);
  layout->addWidget(instructionLabel_, 0, 0, 1, 3);
  layout->addWidget(picture_, 1, 0, 1, 2);
  layout->addLayout(side, 1, 2);
  layout->addWidget(decreaseHorizontalButton_, 2, 0);
  layout->addWidget(increaseHorizontalButton_, 2, 1);
  layout->addWidget(decreaseVerticalButton_, 3, 0);
  layout->addWidget(increaseVerticalButton_, 3, 1);
  layout->addWidget(okButton_, 3, 2);
  okButton_->setDefault(true);
}

// The picture grows with the factors, up to most of the screen, so the circle stays whole.
void CalibrationDialog::fitPicture() {
  const QSize room = screen()->availableSize() * 0.8;
  const PictureSizeMm size = calibrationPictureSize(
      calibration_, {room.width() / picture_->pixelsPerMmX(), room.height() / picture_->pixelsPerMmY()});
  picture_->setFixedSizeMm(size.width, size.height);
}

void CalibrationDialog::drawFigure() {
  fitPicture();
  const auto labels = drawCalibrationFigure(*picture_, radii_, calibration_);
  if (!labels) return;
  boxWidthLabel_->setText(toQString(labels->boxWidth));
  boxHeightLabel_->setText(toQString(labels->boxHeight));
  effectiveDiameterLabel_->setText(toQString(labels->effectiveDiameter));
  circumferenceLabel_->setText(toQString(labels->circumference));
}

void CalibrationDialog::onStepClicked(double ScreenCalibration::*factor, std::int64_t units) {
  calibration_.*factor = stepBias(calibration_.*factor, units);
  drawFigure();
}

// Store failures are dropped by the store itself.
void CalibrationDialog::onOkClicked() {
  saveScreenCalibration(calibration_, [this](Setting setting, std::string_view text) { settings_.write(setting, text); });
  accept();
}

}  // namespace lumora

#include "view/qt/frm_calibrate.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <algorithm>
#include <QVBoxLayout>

#include "base/qt/qt_text.h"
#include "base/qt/settings_store.h"
#include "base/core/shared_values.h"
#include "view/core/calibration.h"
#include "view/core/calibration_figure.h"
#include "view/qt/trace_pic.h"

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

frmCalibrate::frmCalibrate(SettingsStore& settings, QWidget* parent)
    : QDialog(parent),
      settings_(settings),
      Label1(namedLabel("Label1",
                        QStringLiteral("Click the appropriate buttons below until the circle below "
                                       "measures exactly 50 millimeters in diameter."),
                        this)),
      picture_(new TracePic(this)),
      FrameAlbl(namedLabel("FrameAlbl", {}, this)),
      FrameBlbl(namedLabel("FrameBlbl", {}, this)),
      FrameEDlbl(namedLabel("FrameEDlbl", {}, this)),
      CircumLbl(namedLabel("CircumLbl", {}, this)),
      Image1(namedLabel("Image1", {}, this)),
      HDcmd(addButton("HDcmd", "Decrease Horizontal", &frmCalibrate::HDcmd_Click)),
      HIcmd(addButton("HIcmd", "Increase Horizontal", &frmCalibrate::HIcmd_Click)),
      VDcmd(addButton("VDcmd", "Decrease Vertical", &frmCalibrate::VDcmd_Click)),
      VIcmd(addButton("VIcmd", "Increase Vertical", &frmCalibrate::VIcmd_Click)),
      SaveCmd(addButton("SaveCmd", "&OK", &frmCalibrate::SaveCmd_Click)) {
  setObjectName(QStringLiteral("frmCalibrate"));
  setWindowTitle(QStringLiteral("Calibrate Display"));
  buildLayout();
  QGuiApplication::setOverrideCursor(Qt::WaitCursor);
  radii_ = ReferenceCircle();
  DrawCalTrace();
  QGuiApplication::restoreOverrideCursor();
}

QPushButton* frmCalibrate::addButton(const char* name, const char* caption,
                                     void (frmCalibrate::*handler)()) {
  auto* b = new QPushButton(QString::fromLatin1(caption), this);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoDefault(false);
  connect(b, &QPushButton::clicked, this, handler);
  return b;
}

void frmCalibrate::buildLayout() {
  Label1->setWordWrap(true);
  Image1->setPixmap(illustration());
  Image1->setToolTip(QStringLiteral("Calibrate Your Display"));
  auto* side = new QVBoxLayout;
  side->addWidget(Image1);
  for (QLabel* label : {FrameAlbl, FrameBlbl, FrameEDlbl, CircumLbl}) side->addWidget(label);
  side->addStretch(1);
  auto* layout = new QGridLayout(this);
  layout->addWidget(Label1, 0, 0, 1, 3);
  layout->addWidget(picture_, 1, 0, 1, 2);
  layout->addLayout(side, 1, 2);
  layout->addWidget(HDcmd, 2, 0);
  layout->addWidget(HIcmd, 2, 1);
  layout->addWidget(VDcmd, 3, 0);
  layout->addWidget(VIcmd, 3, 1);
  layout->addWidget(SaveCmd, 3, 2);
  SaveCmd->setDefault(true);
}

// The picture grows with the factors, up to most of the screen, so the circle stays whole.
void frmCalibrate::fitPicture() {
  const PictureSizeMm wanted = CalibrationPictureSize(Shared().HBias, Shared().VBias);
  const QSize room = screen()->availableSize() * 0.8;
  picture_->setFixedSizeMm(std::min(wanted.Width, room.width() / picture_->pixelsPerMmX()),
                           std::min(wanted.Height, room.height() / picture_->pixelsPerMmY()));
}

void frmCalibrate::DrawCalTrace() {
  fitPicture();
  const auto labels = DrawCalibrationFigure(*picture_, radii_, Shared().HBias, Shared().VBias);
  if (!labels) return;
  FrameAlbl->setText(toQString(labels->A));
  FrameBlbl->setText(toQString(labels->B));
  FrameEDlbl->setText(toQString(labels->ED));
  CircumLbl->setText(toQString(labels->C));
}

void frmCalibrate::HDcmd_Click() {
  Shared().HBias = StepBias(Shared().HBias, -kBiasStep);
  DrawCalTrace();
}

void frmCalibrate::HIcmd_Click() {
  Shared().HBias = StepBias(Shared().HBias, kBiasStep);
  DrawCalTrace();
}

void frmCalibrate::VDcmd_Click() {
  Shared().VBias = StepBias(Shared().VBias, -kBiasStep);
  DrawCalTrace();
}

void frmCalibrate::VIcmd_Click() {
  Shared().VBias = StepBias(Shared().VBias, kBiasStep);
  DrawCalTrace();
}

void frmCalibrate::SaveCmd_Click() {
  SaveBiasSettings();
  accept();
}

// Store failures are dropped by the store itself.
void frmCalibrate::SaveBiasSettings() {
  lumora::SaveBiasSettings([this](Setting setting, std::string_view text) { settings_.write(setting, text); });
}

}  // namespace lumora

#include "app/desktop/tray_icon.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QWidget>

#include "app/core/shell_texts.h"

namespace lumora {

bool trayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

namespace {

// A red disc with a white bar in the lower right quarter: no line.
void paintLostMark(QPainter& painter, int size) {
  const QRectF disc(size * 0.5, size * 0.5, size * 0.5, size * 0.5);
  painter.setPen(Qt::NoPen);
  painter.setBrush(QColor(0xd0, 0x10, 0x10));
  painter.drawEllipse(disc);
  painter.setBrush(Qt::white);
  painter.drawRect(QRectF(disc.left() + disc.width() * 0.2, disc.center().y() - disc.height() * 0.1,
                          disc.width() * 0.6, disc.height() * 0.2));
}

}  // namespace

QIcon programIcon(IconLook look) {
  QSvgRenderer svg(QStringLiteral(":/icons/org.lumora.CorvaneTraceServer.svg"));
  QIcon icon;
  for (const int size : {16, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    svg.render(&painter);
    if (look == IconLook::PortLost) paintLostMark(painter, size);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

TrayIcon::TrayIcon(QWidget* window, QMenu* fileMenu, QObject* parent)
    : QObject(parent), window_(window), fileMenu_(fileMenu), icon_(programIcon(IconLook::Normal)) {
  icon_.setToolTip(kTrayIconTip);
  connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
}

void TrayIcon::add() {
  if (trayAvailable()) icon_.show();
}

void TrayIcon::remove() { icon_.hide(); }

void TrayIcon::notify(const QString& text) {
  lastNotice_ = text;
  if (icon_.isVisible() && QSystemTrayIcon::supportsMessages())
    icon_.showMessage(kTrayIconTip, text, QSystemTrayIcon::Information);
}

void TrayIcon::onActivated(QSystemTrayIcon::ActivationReason reason) {
  if (reason == QSystemTrayIcon::Trigger || reason == QSystemTrayIcon::DoubleClick) {
    window_->showNormal();
    window_->raise();
    window_->activateWindow();
  } else if (reason == QSystemTrayIcon::Context) {
    fileMenu_->popup(QCursor::pos());
  }
}

}  // namespace lumora

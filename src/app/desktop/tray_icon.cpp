#include "app/desktop/tray_icon.h"

#include <QCursor>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

#include "app/core/shell_texts.h"

namespace lumora {

bool trayAvailable() { return QSystemTrayIcon::isSystemTrayAvailable(); }

QIcon programIcon() {
  QPixmap pixmap(64, 64);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(QColor(0, 70, 170));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(2, 2, 60, 60);
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(40);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(pixmap.rect(), Qt::AlignCenter, "C");
  return QIcon(pixmap);
}

TrayIcon::TrayIcon(QWidget* window, QMenu* fileMenu, QObject* parent)
    : QObject(parent), window_(window), fileMenu_(fileMenu), icon_(programIcon()) {
  icon_.setToolTip(kTrayIconTip);
  connect(&icon_, &QSystemTrayIcon::activated, this, &TrayIcon::onActivated);
}

void TrayIcon::add() {
  if (trayAvailable()) icon_.show();
}

void TrayIcon::remove() { icon_.hide(); }

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

// The icon in the notification area: a left click or a double click shows the main window,
// a right click pops up the File menu. Where the platform has no notification area the icon
// is not shown and the main window must stay reachable (see available()).
#pragma once

#include <QObject>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

namespace lumora {

class NotifyIcon : public QObject {
  Q_OBJECT

 public:
  NotifyIcon(QWidget* window, QMenu* fileMenu, QObject* parent = nullptr);

  // Adds the icon when the platform has a notification area.
  void add();
  // Removes the icon.
  void remove();
  // True while the icon is shown.
  bool shown() const { return icon_.isVisible(); }
  static bool available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

  // The program's icon, drawn: a blue disc with a white "C".
  static QIcon programIcon();

 private:
  void onActivated(QSystemTrayIcon::ActivationReason reason);

  QWidget* window_;
  QMenu* fileMenu_;
  QSystemTrayIcon icon_;
};

}  // namespace lumora

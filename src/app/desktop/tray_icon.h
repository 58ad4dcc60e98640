// The icon in the notification area: a left click or a double click shows the main window,
// a right click pops up the File menu. Where the platform has no notification area the icon
// is not shown and the main window must stay reachable (see trayAvailable()).
#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

class QMenu;
class QWidget;

namespace lumora {

// Whether the platform has a notification area (none offscreen, nor under a bare X server).
bool trayAvailable();

// The program's icon, rendered from its SVG at the sizes panels and title bars ask for; while
// the port is lost it carries a red mark, so that the panel shows it at a glance.
enum class IconLook { Normal, PortLost };
QIcon programIcon(IconLook look);

class TrayIcon : public QObject {
  Q_OBJECT

 public:
  // `window` and `fileMenu` must outlive the icon.
  TrayIcon(QWidget* window, QMenu* fileMenu, QObject* parent = nullptr);

  // Adds the icon when the platform has a notification area.
  void add();
  void remove();
  // True while the icon is shown.
  bool shown() const { return icon_.isVisible(); }
  // The tip: the product name, and what the user must know of the link (a lost port).
  void setToolTip(const QString& tip) { icon_.setToolTip(tip); }
  QString toolTip() const { return icon_.toolTip(); }
  void setLook(IconLook look) { icon_.setIcon(programIcon(look)); }
  // A notice from the icon, where the panel shows them; the last one is kept for whoever asks.
  void notify(const QString& text);
  const QString& lastNotice() const { return lastNotice_; }
  QIcon icon() const { return icon_.icon(); }

 private:
  void onActivated(QSystemTrayIcon::ActivationReason reason);

  QWidget* window_;
  QMenu* fileMenu_;
  QSystemTrayIcon icon_;
  QString lastNotice_;
};

}  // namespace lumora

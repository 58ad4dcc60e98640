// The check-box list of serial ports. Reports a tick the user toggled, with the mouse or
// the keyboard, after the list has toggled it; the toggled entry becomes the current one.
// A click beside a box toggles nothing and reports nothing.
#pragma once

#include <QKeyEvent>
#include <QListWidget>
#include <QMouseEvent>

namespace lumora {

class PortListWidget : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 signals:
  void tickToggled();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    reportToggle(itemAt(event->position().toPoint()), [&] { QListWidget::mouseReleaseEvent(event); });
  }
  void keyPressEvent(QKeyEvent* event) override {
    reportToggle(currentItem(), [&] { QListWidget::keyPressEvent(event); });
  }

 private:
  template <typename Handle>
  void reportToggle(QListWidgetItem* item, Handle handle) {
    const Qt::CheckState before = item ? item->checkState() : Qt::Unchecked;
    handle();
    if (!item || item->checkState() == before) return;
    setCurrentItem(item);
    emit tickToggled();
  }
};

}  // namespace lumora

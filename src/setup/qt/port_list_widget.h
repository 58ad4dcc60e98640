// The check-box list of serial ports. Reports a released mouse button after the list has
// handled it, so a click on a box is seen with the box already toggled. The entry under the
// mouse becomes the current one, even when the click hit its box (which the list alone
// would leave as it was).
#pragma once

#include <QListWidget>
#include <QMouseEvent>

namespace lumora {

class PortListWidget : public QListWidget {
  Q_OBJECT

 public:
  using QListWidget::QListWidget;

 signals:
  void mouseReleased();

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    QListWidget::mouseReleaseEvent(event);
    if (QListWidgetItem* clicked = itemAt(event->position().toPoint())) setCurrentItem(clicked);
    emit mouseReleased();
  }
};

}  // namespace lumora

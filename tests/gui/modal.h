// Answers the next modal window from the event loop: `act` runs on the window that became
// modal once the caller's exec() is running.
#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace lumora::testing {

inline void OnNextModal(std::function<void(QWidget*)> act) {
  QTimer::singleShot(0, [act = std::move(act)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr) act(modal);
  });
}

}  // namespace lumora::testing

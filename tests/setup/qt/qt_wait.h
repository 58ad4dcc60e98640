// Runs the event loop until `done` holds or `limitMs` milliseconds have passed.
#pragma once

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>

namespace lumora::testing {

template <typename Condition>
bool WaitFor(Condition done, int limitMs = 5000) {
  QDeadlineTimer limit(limitMs);
  while (!done()) {
    if (limit.hasExpired()) return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20);
  }
  return true;
}

}  // namespace lumora::testing

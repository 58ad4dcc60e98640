#include "app/server/stop_signals.h"

#include <atomic>

#include "base/core/windows_api.h"

namespace lumora {
namespace {

// A console handler gets no context: the object to tell can only be found here. Set while
// the one StopSignals object lives.
StopSignals* current = nullptr;
std::atomic<bool> finished{false};

// Runs on a thread of its own. Ctrl+C and Ctrl+Break only ask the event loop to end; closing
// the console, logging off or shutting down ends the process as soon as this returns, so it
// waits (up to 4 of the 5 s Windows grants) until the loop has ended and the port is closed.
BOOL WINAPI onConsoleStop(DWORD event) {
  StopSignals* target = current;
  if (target == nullptr) return FALSE;
  QMetaObject::invokeMethod(target, [target] { emit target->stopRequested(); }, Qt::QueuedConnection);
  if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT) {
    for (int waited = 0; waited < 40 && !finished; ++waited) Sleep(100);
  }
  return TRUE;
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
  current = this;
  finished = false;
  SetConsoleCtrlHandler(onConsoleStop, TRUE);
}

StopSignals::~StopSignals() {
  SetConsoleCtrlHandler(onConsoleStop, FALSE);
  current = nullptr;
  finished = true;
}

}  // namespace lumora

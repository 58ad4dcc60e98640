#include "app/server/stop_signals.h"

#include <QSocketNotifier>

#ifndef _WIN32
#include <fcntl.h>
#include <unistd.h>

#include <csignal>
#else
#include <atomic>

#include "base/core/windows_api.h"
#endif

namespace lumora {

#ifndef _WIN32
namespace {

int pipeEnds[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
extern "C" void onStopSignal(int) {
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = ::write(pipeEnds[1], &byte, 1);
}

}  // namespace

StopSignals::StopSignals(QObject* parent) : QObject(parent) {
  if (::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0) return;
  notifier_ = new QSocketNotifier(pipeEnds[0], QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] {
    char bytes[16];
    while (::read(pipeEnds[0], bytes, sizeof bytes) > 0) {
    }
    emit stopRequested();
  });
  struct sigaction action {};
  action.sa_handler = onStopSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  sigaction(SIGINT, &action, nullptr);
  sigaction(SIGTERM, &action, nullptr);
}

StopSignals::~StopSignals() {
  if (notifier_ == nullptr) return;
  std::signal(SIGINT, SIG_DFL);
  std::signal(SIGTERM, SIG_DFL);
  delete notifier_;
  ::close(pipeEnds[0]);
  ::close(pipeEnds[1]);
}
#else
namespace {

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
#endif

}  // namespace lumora

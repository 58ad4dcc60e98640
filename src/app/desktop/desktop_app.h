// The tray application: one copy per user, the main window's start-up, then the event loop
// until "E&xit (Shutdown)" or Cancel in a port message.
#pragma once

#include <functional>

class QApplication;

namespace lumora {

// Runs the program in `app`; returns the exit code. `startLog` runs once this copy is known
// to be the only one: a second copy touches no file, not even the first copy's log.
int runDesktop(QApplication& app, const std::function<void()>& startLog);

}  // namespace lumora

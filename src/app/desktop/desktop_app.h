// The tray application: one copy per user, the main window's start-up, then the event loop
// until "E&xit (Shutdown)" or Cancel in a port message.
#pragma once

class QApplication;

namespace lumora {

// Runs the program in `app`; returns the exit code.
int RunDesktop(QApplication& app);

}  // namespace lumora

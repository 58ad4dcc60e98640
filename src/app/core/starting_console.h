// Where the command-line modes write. On Windows the program is built without a console of
// its own, so that the tray application opens no console window that would end it when
// closed; its command-line modes then write to the console they were started from, in UTF-8,
// unless their output was redirected (starting_console_windows.cpp). Elsewhere there is
// nothing to do (starting_console_posix.cpp).
#pragma once

namespace lumora {

void useStartingConsole();

}  // namespace lumora

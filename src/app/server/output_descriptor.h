// Writing to a descriptor that may make the writer wait (the headless server's standard
// output, the simulator's line) the way the platform does it.
#pragma once

#include <string_view>

namespace lumora {

// Writes all of `text` to the descriptor `fd`, waiting for the reader as long as it takes;
// false when the descriptor refuses it (a closed pipe, a full disk).
bool writeAllTo(int fd, std::string_view text);

// A reader that goes away (a closed pipe) no longer ends the program: writes to it fail
// instead. Does nothing where the platform has no such signal.
void ignoreClosedPipes();

}  // namespace lumora

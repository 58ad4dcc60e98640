#include "app/core/starting_console.h"

namespace lumora {

// The program always has the standard streams it was started with.
void useStartingConsole() {}

}  // namespace lumora

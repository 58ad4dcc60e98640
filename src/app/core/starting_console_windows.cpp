#include "app/core/starting_console.h"

#include <io.h>

#include <cstdio>

#include "base/core/windows_api.h"

namespace lumora {
namespace {

bool usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// The C stream and its standard descriptor (the activity output writes to the descriptor).
void toConsole(std::FILE* stream, int descriptor) {
  std::FILE* reopened = std::freopen("CONOUT$", "w", stream);
  if (reopened != nullptr && _fileno(reopened) != descriptor) _dup2(_fileno(reopened), descriptor);
}

}  // namespace

void useStartingConsole() {
  const bool outMissing = !usable(GetStdHandle(STD_OUTPUT_HANDLE));
  const bool errMissing = !usable(GetStdHandle(STD_ERROR_HANDLE));
  if ((outMissing || errMissing) && AttachConsole(ATTACH_PARENT_PROCESS)) {
    if (outMissing) toConsole(stdout, 1);
    if (errMissing) toConsole(stderr, 2);
  }
  SetConsoleOutputCP(CP_UTF8);
}

}  // namespace lumora

// The Windows API for the few files that call it: windows.h without its min and max macros
// (they break std::min) and without the parts nobody here uses. Include it under _WIN32 only.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

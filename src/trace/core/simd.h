// Whether the processor's 128-bit vector instructions may be used: every x86-64 has them, so
// no check at run time is needed. Elsewhere (ARM, and ARM64EC where they are only emulated)
// the plain loops do the same work.
#pragma once

#if defined(__SSE2__) || (defined(_M_X64) && !defined(_M_ARM64EC))
#include <emmintrin.h>
#define LUMORA_SSE2 1
#else
#define LUMORA_SSE2 0
#endif

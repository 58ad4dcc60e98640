// Vector instructions. SSE2: every x86-64 has them, so no check at run time is needed.
// Elsewhere (ARM, and ARM64EC where they are only emulated) the plain loops do the same work.
// AVX-512 with byte permutes and compress (recent processors): only functions marked
// LUMORA_WIDE_TARGET are compiled for it, and they are called only where WideInstructions().
// A build without them (LUMORA_NO_WIDE) takes the other paths everywhere.
#pragma once

#if defined(__SSE2__) || (defined(_M_X64) && !defined(_M_ARM64EC))
#include <emmintrin.h>
#define LUMORA_SSE2 1
#else
#define LUMORA_SSE2 0
#endif

#if defined(__GNUC__) && defined(__x86_64__) && !defined(LUMORA_NO_WIDE)
#include <immintrin.h>
#define LUMORA_WIDE 1
#define LUMORA_WIDE_TARGET __attribute__((target("avx512f,avx512bw,avx512vbmi,avx512vbmi2")))
#else
#define LUMORA_WIDE 0
#endif

namespace lumora {

// Whether this processor and system run the LUMORA_WIDE_TARGET functions.
bool WideInstructions();

}  // namespace lumora

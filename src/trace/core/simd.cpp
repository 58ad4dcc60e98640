#include "trace/core/simd.h"

namespace lumora {

bool WideInstructions() {
#if LUMORA_WIDE
  // The checks include the system's saving of the wide registers.
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512vbmi2");
#else
  return false;
#endif
}

}  // namespace lumora

#include "trace/core/simd.h"

namespace lumora {

bool WideInstructions() {
#if LUMORA_WIDE
  // The checks include the system's saving of the wide registers. The processor is examined
  // here rather than by the runtime's start-up, which may not have run yet for a static object.
  __builtin_cpu_init();
  return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
         __builtin_cpu_supports("avx512vbmi") && __builtin_cpu_supports("avx512vbmi2");
#else
  return false;
#endif
}

}  // namespace lumora

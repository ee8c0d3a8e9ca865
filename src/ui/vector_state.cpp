#include "ui/vector_state.h"

#if defined(__x86_64__) || defined(__i386__)
#include <immintrin.h>
#endif

namespace zenitra {

#if (defined(__x86_64__) || defined(__i386__)) && defined(__GNUC__)
namespace {
__attribute__((target("avx"))) void ZeroUpper() noexcept { _mm256_zeroupper(); }
const bool kHasAvx = __builtin_cpu_supports("avx");
}  // namespace

void ResetVectorStateAfterPainting() noexcept {
  if (kHasAvx) ZeroUpper();
}
#else
void ResetVectorStateAfterPainting() noexcept {}
#endif

}  // namespace zenitra

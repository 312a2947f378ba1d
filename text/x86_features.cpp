#include "text/x86_features.hpp"

#if defined(_MSC_VER) && !defined(__clang__) && defined(_M_X64)
#include <immintrin.h>
#include <intrin.h>
#endif

namespace QVH::detail {
namespace {

bool AskForAvx2() noexcept {
#if (defined(__GNUC__) || defined(__clang__)) && defined(__x86_64__)
    // libgcc's check counts AVX2 only where the operating system saves the 256-bit registers.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") &&
           __builtin_cpu_supports("bmi2") && __builtin_cpu_supports("popcnt");
#elif defined(_MSC_VER) && defined(_M_X64)
    int Leaf1[4];
    int Leaf7[4];
    __cpuid(Leaf1, 1);
    __cpuidex(Leaf7, 7, 0);
    const bool OsSavesYmm = (Leaf1[2] & (1 << 27)) != 0 && (_xgetbv(0) & 6) == 6;
    const bool Popcnt = (Leaf1[2] & (1 << 23)) != 0;
    const bool Avx2Bmi =
        (Leaf7[1] & (1 << 5)) != 0 && (Leaf7[1] & (1 << 3)) != 0 && (Leaf7[1] & (1 << 8)) != 0;
    return OsSavesYmm && Popcnt && Avx2Bmi;
#else
    return false;
#endif
}

}  // namespace

bool HasAvx2() noexcept {
    static const bool Has = AskForAvx2();
    return Has;
}

}  // namespace QVH::detail

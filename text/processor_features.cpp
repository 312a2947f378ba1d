#include "text/processor_features.hpp"

#if defined(_MSC_VER)
#include <immintrin.h>
#include <intrin.h>
#endif

namespace QVH::detail {

bool ProcessorHasAvx2() noexcept {
    static const bool Has = [] {
#if !defined(__x86_64__) && !defined(_M_X64)
        return false;
#elif defined(__GNUC__)
        // Also checks that the system saves the AVX registers.
        return __builtin_cpu_supports("avx2") != 0;
#else
        int Info[4];
        __cpuid(Info, 0);
        if (Info[0] < 7) {
            return false;
        }
        __cpuid(Info, 1);
        const bool OsSavesAvx =
            (Info[2] & (1 << 27)) && (Info[2] & (1 << 28)) && (_xgetbv(0) & 0x6) == 0x6;
        __cpuidex(Info, 7, 0);
        return OsSavesAvx && (Info[1] & (1 << 5));
#endif
    }();
    return Has;
}

}  // namespace QVH::detail

#include "text/zero_byte.hpp"

#include <cstring>

#include "text/from_utf8_chunks.hpp"
#include "text/x86_features.hpp"

#ifdef QVH_DECODE_WITH_AVX2
#include <immintrin.h>
#endif

namespace QVH::detail {
namespace {

#ifdef QVH_DECODE_WITH_AVX2
// How many of the Size bytes at Bytes lie in whole blocks of 256 before the first block that holds
// a zero byte: the least byte of a block is zero exactly when the block holds one.
QVH_TARGET_AVX2 std::size_t BytesBeforeBlockWithZero(const char* Bytes, std::size_t Size) {
    constexpr std::size_t Block = 256;
    std::size_t At = 0;
    for (; Size - At >= Block; At += Block) {
        const auto* const In = reinterpret_cast<const __m256i*>(Bytes + At);
        const __m256i Least = _mm256_min_epu8(
            _mm256_min_epu8(
                _mm256_min_epu8(_mm256_loadu_si256(In), _mm256_loadu_si256(In + 1)),
                _mm256_min_epu8(_mm256_loadu_si256(In + 2), _mm256_loadu_si256(In + 3))),
            _mm256_min_epu8(
                _mm256_min_epu8(_mm256_loadu_si256(In + 4), _mm256_loadu_si256(In + 5)),
                _mm256_min_epu8(_mm256_loadu_si256(In + 6), _mm256_loadu_si256(In + 7))));
        const __m256i Zeros = _mm256_cmpeq_epi8(Least, _mm256_setzero_si256());
        if (!_mm256_testz_si256(Zeros, Zeros)) {
            break;
        }
    }
    return At;
}
#endif

}  // namespace

std::size_t FindZeroByte(const char* Bytes, std::size_t Size) noexcept {
    std::size_t At = 0;
#ifdef QVH_DECODE_WITH_AVX2
    if (HasAvx2()) {
        At = BytesBeforeBlockWithZero(Bytes, Size);
    }
#endif
    const void* const Zero = std::memchr(Bytes + At, 0, Size - At);
    return Zero == nullptr ? Size
                           : static_cast<std::size_t>(static_cast<const char*>(Zero) - Bytes);
}

}  // namespace QVH::detail

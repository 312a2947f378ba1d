// The UTF-8 decoder's 32-byte loop, for processors with AVX2 (see processor_features.hpp).
#include "text/from_utf8_chunks.hpp"

#ifdef QVH_DECODE_WITH_AVX2
#include <immintrin.h>

namespace QVH::detail {

template <bool SkipLineBreaks>
QVH_TARGET_AVX2 Utf8Cursor DecodeChunksAvx2(Utf8Cursor At, const unsigned char* End) {
    if (End - At.In < 32) {
        return At;
    }
    const unsigned char* const LastChunk = End - 32;
    const __m256i Marking = _mm256_set1_epi8(SkipLineBreaks ? MarkBelow : 0);
    while (At.In <= LastChunk) {
        const __m256i Bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(At.In));
        const int Marks = _mm256_movemask_epi8(_mm256_subs_epi8(Bytes, Marking));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(At.Out),
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(At.In))));
        _mm256_storeu_si256(
            reinterpret_cast<__m256i*>(At.Out + 16),
            _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(At.In + 16))));
        if (Marks == 0) {
            At.In += 32;
            At.Out += 32;
            continue;
        }
        const auto NotAscii = static_cast<std::uint32_t>(_mm256_movemask_epi8(Bytes));
        std::uint32_t Breaks = 0;
        if constexpr (SkipLineBreaks) {
            Breaks = static_cast<std::uint32_t>(_mm256_movemask_epi8(
                _mm256_or_si256(_mm256_cmpeq_epi8(Bytes, _mm256_set1_epi8('\r')),
                                _mm256_cmpeq_epi8(Bytes, _mm256_set1_epi8('\n')))));
        }
        if ((NotAscii | Breaks) == 0) {
            At.In += 32;
            At.Out += 32;
            continue;
        }
        At = PastFirstMark<SkipLineBreaks>(At, End, NotAscii, Breaks);
    }
#if defined(_MSC_VER)
    _mm256_zeroupper();  // MSVC's code around this may use the SSE encoding
#endif
    return At;
}

template Utf8Cursor DecodeChunksAvx2<true>(Utf8Cursor, const unsigned char*);
template Utf8Cursor DecodeChunksAvx2<false>(Utf8Cursor, const unsigned char*);

}  // namespace QVH::detail
#endif

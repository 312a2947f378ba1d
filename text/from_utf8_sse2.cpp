// The UTF-8 decoder's 16-byte loop, for every x86-64 processor.
#include "text/from_utf8_chunks.hpp"

#ifdef QVH_DECODE_WITH_SSE2
#include <emmintrin.h>

namespace QVH::detail {

template <bool SkipLineBreaks>
Utf8Cursor DecodeChunksSse2(Utf8Cursor At, const unsigned char* End) {
    if (End - At.In < 16) {
        return At;
    }
    const unsigned char* const LastChunk = End - 16;
    const __m128i Marking = _mm_set1_epi8(SkipLineBreaks ? MarkBelow : 0);
    const __m128i Zero = _mm_setzero_si128();
    while (At.In <= LastChunk) {
        const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(At.In));
        const int Marks = _mm_movemask_epi8(_mm_subs_epi8(Bytes, Marking));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(At.Out), _mm_unpacklo_epi8(Bytes, Zero));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(At.Out + 8), _mm_unpackhi_epi8(Bytes, Zero));
        if (Marks == 0) {
            At.In += 16;
            At.Out += 16;
            continue;
        }
        // Loaded again rather than kept, which spares the loop above a register copy.
        const __m128i Marked = _mm_loadu_si128(reinterpret_cast<const __m128i*>(At.In));
        const auto NotAscii = static_cast<std::uint32_t>(_mm_movemask_epi8(Marked));
        std::uint32_t Breaks = 0;
        if constexpr (SkipLineBreaks) {
            Breaks = static_cast<std::uint32_t>(
                _mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(Marked, _mm_set1_epi8('\r')),
                                               _mm_cmpeq_epi8(Marked, _mm_set1_epi8('\n')))));
        }
        if ((NotAscii | Breaks) == 0) {
            At.In += 16;
            At.Out += 16;
            continue;
        }
        At = PastFirstMark<SkipLineBreaks>(At, End, NotAscii, Breaks);
    }
    return At;
}

template Utf8Cursor DecodeChunksSse2<true>(Utf8Cursor, const unsigned char*);
template Utf8Cursor DecodeChunksSse2<false>(Utf8Cursor, const unsigned char*);

}  // namespace QVH::detail
#endif

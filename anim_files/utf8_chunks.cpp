#include "anim_files/utf8_chunks.hpp"

#ifdef QVH_DECODE_WITH_SSE2
#include <immintrin.h>
#if defined(_MSC_VER)
#include <intrin.h>
#endif

namespace QVH::detail {
namespace {

// As signed bytes, those from 0x80 up are negative, and so stay when 14 is taken off with
// saturation; so do the control bytes up to CR (0x0D), LF among them. One subtraction thus marks
// (with the sign bit) each byte that is not ASCII and each line break. Only a chunk with a mark is
// looked at closely, and one marked only for tabs and the like is taken as it is.
constexpr char MarkBelow = 14;

}  // namespace

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

template Utf8Cursor DecodeChunksSse2<true>(Utf8Cursor, const unsigned char*);
template Utf8Cursor DecodeChunksSse2<false>(Utf8Cursor, const unsigned char*);
template Utf8Cursor DecodeChunksAvx2<true>(Utf8Cursor, const unsigned char*);
template Utf8Cursor DecodeChunksAvx2<false>(Utf8Cursor, const unsigned char*);

bool ProcessorHasAvx2() noexcept {
    static const bool Has = [] {
#if defined(__GNUC__)
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
#endif

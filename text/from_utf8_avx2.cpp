// The UTF-8 decoder's 32-byte loop, for processors with AVX2 (chosen at run time). Each block is
// classified byte by byte; a block whose characters are well-formed gets a unit at every byte,
// computed from the byte and the two before it, and keeps those that end a character (two for a
// four-byte one) or are ASCII other than a dropped line break, in one shuffle per eight units.
#include "text/from_utf8_chunks.hpp"

#ifdef QVH_DECODE_WITH_AVX2
#include <immintrin.h>

#include <bit>
#include <cstdint>

#include "text/utf16_compaction.hpp"

namespace QVH::detail {
namespace {

constexpr int Blocks = 32;

// Constants in memory, which the instructions read as operands: set1 constants would be built
// again in the loop, three instructions each, for want of registers.
struct alignas(32) Constant {
    std::uint8_t Bytes[32];
};

constexpr Constant Repeated(std::uint8_t First, std::uint8_t Second) {
    Constant Made{};
    for (int At = 0; At < 32; At += 2) {
        Made.Bytes[At] = First;
        Made.Bytes[At + 1] = Second;
    }
    return Made;
}
constexpr Constant Repeated(std::uint8_t Byte) { return Repeated(Byte, Byte); }

inline constexpr Constant Marks[2] = {Repeated(0), Repeated(MarkBelow)};
inline constexpr Constant BelowLead = Repeated(0xC0);  // as signed bytes, only trail bytes are less
inline constexpr Constant SignBit = Repeated(0x80);
inline constexpr Constant FlippedE0 = Repeated((0xE0 ^ 0x80) - 1);
inline constexpr Constant FlippedF0 = Repeated((0xF0 ^ 0x80) - 1);
inline constexpr Constant Nibble = Repeated(0x0F);
inline constexpr Constant HighNibble = Repeated(0xF0);
inline constexpr Constant Ascii = Repeated(0x7F);
inline constexpr Constant TopTwo = Repeated(0xC0);
inline constexpr Constant LowSurrogateTop = Repeated(0xDC);
inline constexpr Constant HighSurrogateOffset =
    Repeated((0xD800 - 0x40) & 0xFF, (0xD800 - 0x40) >> 8);

QVH_TARGET_AVX2 inline __m256i Load(const Constant& Value) {
    __m256i Loaded = _mm256_load_si256(reinterpret_cast<const __m256i*>(Value.Bytes));
#if defined(__GNUC__) || defined(__clang__)
    // Hides the value, which GCC would otherwise build again from an immediate at each use.
    asm("" : "+x"(Loaded));
#endif
    return Loaded;
}

// The second byte's rules of Table 3-7 for the lead byte before it: bit 0 C0 and C1 (overlong),
// bit 1 E0 80..9F (overlong), bit 2 ED A0..BF (surrogates), bit 3 F0 80..8F (overlong), bit 4 F4
// 90..BF and bit 5 F5..FF (above U+10FFFF). A byte breaks one where the three lookups (the lead's
// high and low half, the trail byte's high half) share a bit.
QVH_TARGET_AVX2 inline bool BreaksASecondByteRule(__m256i Bytes, __m256i Previous) {
    const __m256i ByLeadHigh = _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 6, 56,  //
                                                0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 6, 56);
    const __m256i ByLeadLow =
        _mm256_setr_epi8(11, 1, 0, 0, 16, 32, 32, 32, 32, 32, 32, 32, 32, 36, 32, 32,  //
                         11, 1, 0, 0, 16, 32, 32, 32, 32, 32, 32, 32, 32, 36, 32, 32);
    const __m256i ByTrailHigh =
        _mm256_setr_epi8(0, 0, 0, 0, 0, 0, 0, 0, 43, 51, 53, 53, 0, 0, 0, 0,  //
                         0, 0, 0, 0, 0, 0, 0, 0, 43, 51, 53, 53, 0, 0, 0, 0);
    const __m256i Rules = _mm256_and_si256(
        _mm256_and_si256(
            _mm256_shuffle_epi8(ByLeadHigh,
                                _mm256_and_si256(_mm256_srli_epi16(Previous, 4), Load(Nibble))),
            _mm256_shuffle_epi8(ByLeadLow, _mm256_and_si256(Previous, Load(Nibble)))),
        _mm256_shuffle_epi8(ByTrailHigh,
                            _mm256_and_si256(_mm256_srli_epi16(Bytes, 4), Load(Nibble))));
    return _mm256_testz_si256(Rules, Rules) == 0;
}

// The shuffles for two sets of kept units, one in each half.
QVH_TARGET_AVX2 inline __m256i Shuffles(unsigned First, unsigned Second) {
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(
            _mm_load_si128(reinterpret_cast<const __m128i*>(Compaction.Shuffle[First]))),
        _mm_load_si128(reinterpret_cast<const __m128i*>(Compaction.Shuffle[Second])), 1);
}

// Keeps the units of Low (units 0 to 7 and 16 to 23) and High (8 to 15 and 24 to 31) that Keep
// marks, in order, and returns where the next unit goes. Writes up to 32 units.
QVH_TARGET_AVX2 inline RC::CharType* Compact(RC::CharType* Out, __m256i Low, __m256i High,
                                             std::uint32_t Keep) {
    const unsigned Kept[4] = {Keep & 0xFF, Keep >> 8 & 0xFF, Keep >> 16 & 0xFF, Keep >> 24};
    const __m256i Lows = _mm256_shuffle_epi8(Low, Shuffles(Kept[0], Kept[2]));
    const __m256i Highs = _mm256_shuffle_epi8(High, Shuffles(Kept[1], Kept[3]));
    const __m128i Parts[4] = {_mm256_castsi256_si128(Lows), _mm256_castsi256_si128(Highs),
                              _mm256_extracti128_si256(Lows, 1),
                              _mm256_extracti128_si256(Highs, 1)};
    for (int Part = 0; Part < 4; ++Part) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Out), Parts[Part]);
        Out += std::popcount(Kept[Part]);
    }
    return Out;
}

// Bytes moved N places up, the block's first N places zero (as ASCII before the block would be).
template <int N>
QVH_TARGET_AVX2 inline __m256i Before(__m256i Bytes) {
    return _mm256_alignr_epi8(Bytes, _mm256_permute2x128_si256(Bytes, Bytes, 0x08), 16 - N);
}

// The block, or its bytes up to the start of a character that goes on past it, decoded: the units
// in Low and High as Compact takes them, which to keep, and the bytes taken. Taken is 0 when
// the block is ill-formed or holds a line break inside a sequence.
struct DecodedBlock {
    __m256i Low;
    __m256i High;
    std::uint32_t Keep;
    unsigned Taken;
};

template <bool SkipLineBreaks>
QVH_TARGET_AVX2 inline DecodedBlock DecodeBlock(__m256i Bytes, std::uint32_t NotAscii,
                                                std::uint32_t Breaks) {
    const __m256i Trail = _mm256_cmpgt_epi8(Load(BelowLead), Bytes);
    // With the sign bit flipped, signed order is the bytes' order.
    const __m256i Flipped = _mm256_xor_si256(Bytes, Load(SignBit));
    const __m256i Lead3 = _mm256_cmpgt_epi8(Flipped, Load(FlippedE0));
    const __m256i Lead4 = _mm256_cmpgt_epi8(Flipped, Load(FlippedF0));
    const auto Trails = static_cast<std::uint32_t>(_mm256_movemask_epi8(Trail));
    const auto Leads3 = static_cast<std::uint32_t>(_mm256_movemask_epi8(Lead3));
    const auto Leads4 = static_cast<std::uint32_t>(_mm256_movemask_epi8(Lead4));
    const std::uint32_t Leads = NotAscii & ~Trails;
    // Where the trail bytes must be, as the leads say; a character that goes on past the block
    // starts with its last lead, and waits for the next block.
    const std::uint64_t Needed =
        std::uint64_t{Leads} << 1 | std::uint64_t{Leads3} << 2 | std::uint64_t{Leads4} << 3;
    const unsigned Taken = (Needed >> 32) == 0 ? 32 : 31 - std::countl_zero(Leads);
    const __m256i Previous = Before<1>(Bytes);
    if (((Needed ^ Trails) & _bzhi_u64(~std::uint64_t{0}, Taken + 1)) != 0 ||
        BreaksASecondByteRule(Bytes, Previous)) {
        return {Bytes, Bytes, 0, 0};
    }
    // Each byte's unit as if it ended its character: its own bits, the byte before's, and the
    // lead two before of a three-byte character (or of a four-byte one, mended below); the last
    // byte of a four-byte character takes the low surrogate's top bits.
    const __m256i Low = _mm256_or_si256(
        _mm256_and_si256(Bytes, Load(Ascii)),
        _mm256_and_si256(Trail, _mm256_and_si256(_mm256_slli_epi16(Previous, 6), Load(TopTwo))));
    const __m256i High = _mm256_or_si256(
        _mm256_or_si256(
            _mm256_and_si256(Trail, _mm256_and_si256(_mm256_srli_epi16(Previous, 2), Load(Nibble))),
            _mm256_and_si256(
                Before<2>(Lead3),
                _mm256_and_si256(_mm256_slli_epi16(Before<2>(Bytes), 4), Load(HighNibble)))),
        _mm256_and_si256(Before<3>(Lead4), Load(LowSurrogateTop)));
    DecodedBlock Block{_mm256_unpacklo_epi8(Low, High), _mm256_unpackhi_epi8(Low, High), 0, Taken};
    const std::uint32_t Ends = Trails & ~(Trails >> 1);
    Block.Keep =
        static_cast<std::uint32_t>(_bzhi_u64(~(NotAscii | Breaks) | Ends | Leads4 << 2, Taken));
    if ((Leads4 & Block.Keep >> 2) != 0) {
        // A four-byte character's third byte holds the code point's top 16 bits as a
        // three-byte character would: the high surrogate is that over 16, less 0x10000 / 1024.
        const __m256i Third = Before<2>(Lead4);
        const __m256i Offset = Load(HighSurrogateOffset);
        Block.Low =
            _mm256_blendv_epi8(Block.Low, _mm256_add_epi16(_mm256_srli_epi16(Block.Low, 4), Offset),
                               _mm256_unpacklo_epi8(Third, Third));
        Block.High = _mm256_blendv_epi8(Block.High,
                                        _mm256_add_epi16(_mm256_srli_epi16(Block.High, 4), Offset),
                                        _mm256_unpackhi_epi8(Third, Third));
    }
    return Block;
}

}  // namespace

template <bool SkipLineBreaks>
QVH_TARGET_AVX2 Utf8Cursor DecodeChunksAvx2(Utf8Cursor At, const unsigned char* End) {
    if (End - At.In < Blocks) {
        return At;
    }
    const unsigned char* const LastBlock = End - Blocks;
    const __m256i Marking = Load(Marks[SkipLineBreaks]);
    // A line break's byte looks itself up here; every other byte finds another.
    const __m256i BreakTable =
        _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, '\n', -1, -1, '\r', -1, -1,  //
                         -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, '\n', -1, -1, '\r', -1, -1);
    while (At.In <= LastBlock) {
        const __m256i Bytes = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(At.In));
        if (_mm256_movemask_epi8(_mm256_subs_epi8(Bytes, Marking)) == 0) {
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(At.Out),
                                _mm256_cvtepu8_epi16(_mm256_castsi256_si128(Bytes)));
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(At.Out + 16),
                                _mm256_cvtepu8_epi16(_mm256_extracti128_si256(Bytes, 1)));
            At.In += Blocks;
            At.Out += Blocks;
            continue;
        }
        const auto NotAscii = static_cast<std::uint32_t>(_mm256_movemask_epi8(Bytes));
        std::uint32_t Breaks = 0;
        if constexpr (SkipLineBreaks) {
            Breaks = static_cast<std::uint32_t>(_mm256_movemask_epi8(
                _mm256_cmpeq_epi8(_mm256_shuffle_epi8(BreakTable, Bytes), Bytes)));
        }
        if (NotAscii == 0) {
            const __m256i Zero = _mm256_setzero_si256();
            At.Out = Compact(At.Out, _mm256_unpacklo_epi8(Bytes, Zero),
                             _mm256_unpackhi_epi8(Bytes, Zero), ~Breaks);
            At.In += Blocks;
            continue;
        }
        const DecodedBlock Block = DecodeBlock<SkipLineBreaks>(Bytes, NotAscii, Breaks);
        if (Block.Taken != 0) {
            At.Out = Compact(At.Out, Block.Low, Block.High, Block.Keep);
            At.In += Block.Taken;
            continue;
        }
        // Ill-formed, or a line break inside a sequence: one sequence at a time to the block's end.
        const unsigned char* const BlockEnd = At.In + Blocks;
        while (At.In < BlockEnd) {
            if (SkipLineBreaks && IsLineBreak(*At.In)) {
                ++At.In;
                continue;
            }
            At = DecodeSequence<SkipLineBreaks>(At, End);
        }
    }
    return At;
}

template Utf8Cursor DecodeChunksAvx2<true>(Utf8Cursor, const unsigned char*);
template Utf8Cursor DecodeChunksAvx2<false>(Utf8Cursor, const unsigned char*);

}  // namespace QVH::detail
#endif

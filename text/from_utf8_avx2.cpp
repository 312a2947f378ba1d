// The UTF-8 decoder's AVX2 loop, for processors that have it (chosen at run time). It takes 64
// bytes at a time (32 when the second half is ASCII, or the first half is), window after window
// while each starts with characters. A window is checked in vectors as Keiser and Lemire check
// UTF-8: three lookups, by the nibbles of each byte and of the one before, find the faults of a
// byte after a lead or a trail byte, and a lead of three or four bytes two or three back must be
// followed by trail bytes. A well-formed window gets a unit at every byte, computed from the byte
// and the three before it; the units kept are those that no trail byte follows (a four-byte
// character's third byte keeps its high surrogate too), but for dropped line breaks, eight units to
// a shuffle. A window with anything else goes to the sequence decoder, 32 bytes of it.
#include "text/from_utf8_chunks.hpp"

#ifdef QVH_DECODE_WITH_AVX2
#include <immintrin.h>

#include <bit>
#include <cstdint>

#include "text/utf16_compaction.hpp"

// The window's steps are inlined into the loop, which keeps its vectors in registers.
#if defined(__GNUC__) || defined(__clang__)
#define QVH_STEP QVH_TARGET_AVX2 __attribute__((always_inline)) inline
#else
#define QVH_STEP __forceinline
#endif

namespace QVH::detail {
namespace {

constexpr int Window = 64;

// The loop's constants, read from memory as operands: built from immediates (as GCC does with
// set1 constants and with what it can see here), each would take three instructions per use for
// want of registers.
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

// Sixteen bytes looked up by a nibble (pshufb), in both halves.
constexpr Constant ByNibble(const std::uint8_t (&Sixteen)[16]) {
    Constant Made{};
    for (int At = 0; At < 32; ++At) {
        Made.Bytes[At] = Sixteen[At % 16];
    }
    return Made;
}

// Keiser and Lemire's check of each byte against the one before: a bit for each fault, which the
// three lookups (by the byte before's high and low nibble, and by the byte's high nibble) must all
// show. The second byte's rules are those of Table 3-7.
constexpr std::uint8_t TooShort = 1 << 0;  // a lead, then no trail byte
constexpr std::uint8_t TooLong = 1 << 1;   // a trail byte after ASCII
constexpr std::uint8_t Overlong3 = 1 << 2;
constexpr std::uint8_t TooLarge = 1 << 3;  // above U+10FFFF
constexpr std::uint8_t Surrogate = 1 << 4;
constexpr std::uint8_t Overlong2 = 1 << 5;
constexpr std::uint8_t TooLarge1000 = 1 << 6;
constexpr std::uint8_t Overlong4 = 1 << 6;
// Two trail bytes in a row: a fault unless a lead of three or four bytes stands before them.
constexpr std::uint8_t TwoTrails = 1 << 7;
constexpr std::uint8_t Carry = TooShort | TooLong | TwoTrails;
constexpr std::uint8_t FaultsByLeadHigh[16] = {TooLong,
                                               TooLong,
                                               TooLong,
                                               TooLong,
                                               TooLong,
                                               TooLong,
                                               TooLong,
                                               TooLong,
                                               TwoTrails,
                                               TwoTrails,
                                               TwoTrails,
                                               TwoTrails,
                                               TooShort | Overlong2,
                                               TooShort,
                                               TooShort | Overlong3 | Surrogate,
                                               TooShort | TooLarge | TooLarge1000 | Overlong4};
constexpr std::uint8_t FaultsByLeadLow[16] = {Carry | Overlong3 | Overlong2 | Overlong4,
                                              Carry | Overlong2,
                                              Carry,
                                              Carry,
                                              Carry | TooLarge,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000 | Surrogate,
                                              Carry | TooLarge | TooLarge1000,
                                              Carry | TooLarge | TooLarge1000};
constexpr std::uint8_t AnyTrail = TooLong | Overlong2 | TwoTrails;
constexpr std::uint8_t FaultsByTrailHigh[16] = {TooShort,
                                                TooShort,
                                                TooShort,
                                                TooShort,
                                                TooShort,
                                                TooShort,
                                                TooShort,
                                                TooShort,
                                                AnyTrail | Overlong3 | TooLarge1000 | Overlong4,
                                                AnyTrail | Overlong3 | TooLarge,
                                                AnyTrail | Surrogate | TooLarge,
                                                AnyTrail | Surrogate | TooLarge,
                                                TooShort,
                                                TooShort,
                                                TooShort,
                                                TooShort};
// A line break's byte finds itself here by its low nibble; every other byte finds another.
constexpr std::uint8_t LineBreakByNibble[16] = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,
                                                0xFF, 0xFF, '\n', 0xFF, 0xFF, '\r', 0xFF, 0xFF};

// A lead's low nibble in the high one: the top bits of a three-byte character's unit.
constexpr std::uint8_t Lead3BitsByNibble[16] = {0x00, 0x10, 0x20, 0x30, 0x40, 0x50, 0x60, 0x70,
                                                0x80, 0x90, 0xA0, 0xB0, 0xC0, 0xD0, 0xE0, 0xF0};
// Taken off with saturation, these leave something only in a lead that starts a character the
// last bytes of a half cannot hold.
constexpr Constant LastLeads() {
    Constant Made = Repeated(0xFF);
    Made.Bytes[29] = 0xF0 - 1;
    Made.Bytes[30] = 0xE0 - 1;
    Made.Bytes[31] = 0xC0 - 1;
    return Made;
}

// A byte kept whatever follows it: the last.
constexpr Constant OnlyLast(Constant Made) {
    Made.Bytes[31] = 0xFF;
    return Made;
}

struct Constants {
    Constant Marks[2] = {Repeated(0), Repeated(MarkBelow)};
    Constant LineBreaks = ByNibble(LineBreakByNibble);
    Constant LastByte = OnlyLast(Repeated(0));
    Constant AboveTrail = Repeated(0xBF);  // as signed bytes, only trail bytes are not greater
    // Taken off with saturation, these leave the sign bit only in leads; in leads of three bytes
    // and more; and of four.
    Constant LeadByTheSign = Repeated(0xC0 - 0x80);
    Constant Lead3ByTheSign = Repeated(0xE0 - 0x80);
    Constant Lead4ByTheSign = Repeated(0xF0 - 0x80);
    Constant Nibble = Repeated(0x0F);
    Constant Ascii = Repeated(0x7F);
    Constant TopTwo = Repeated(0xC0);
    Constant Lead3Index = Repeated(0xE0);
    Constant Lead3Bits = ByNibble(Lead3BitsByNibble);
    Constant LowSurrogateTop = Repeated(0xDC);
    Constant HighSurrogateOffset = Repeated((0xD800 - 0x40) & 0xFF, (0xD800 - 0x40) >> 8);
    Constant ByLeadHigh = ByNibble(FaultsByLeadHigh);
    Constant ByLeadLow = ByNibble(FaultsByLeadLow);
    Constant ByTrailHigh = ByNibble(FaultsByTrailHigh);
    Constant SignBit = Repeated(0x80);
    Constant OpenAtTheEnd = LastLeads();
};
inline constexpr Constants TheConstants{};

QVH_STEP __m256i Load(const Constant& Value) {
    return _mm256_load_si256(reinterpret_cast<const __m256i*>(Value.Bytes));
}

// The constants where the compiler cannot see their values.
inline const Constants& Unseen() {
    const Constants* Seen = &TheConstants;
#if defined(__GNUC__) || defined(__clang__)
    asm("" : "+r"(Seen));
#endif
    return *Seen;
}

// The shuffle that keeps the units of a set in one half and that of another set in the other; each
// set's shuffle is found at its offset (the set times 16) in Compaction.
QVH_STEP __m256i Shuffles(std::uint64_t First, std::uint64_t Second) {
    const auto* Table = &Compaction.Shuffle[0][0];
    return _mm256_inserti128_si256(
        _mm256_castsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(Table + First))),
        _mm_load_si128(reinterpret_cast<const __m128i*>(Table + Second)), 1);
}

// Keeps the units of Low (units 0 to 7 and 16 to 23) and High (8 to 15 and 24 to 31) that Keep
// marks, in order, and returns where the next unit goes. Writes up to 32 units.
QVH_STEP RC::CharType* Compact(RC::CharType* Out, __m256i Low, __m256i High, std::uint64_t Keep) {
    // Each set of eight times 16, in 16 bits of its own: its shuffle's offset in one step.
    const std::uint64_t Offsets = _pdep_u64(Keep, 0x0FF0'0FF0'0FF0'0FF0);
    const std::uint64_t Offset[4] = {Offsets & 0xFFFF, _bextr_u64(Offsets, 16, 16),
                                     _bextr_u64(Offsets, 32, 16), Offsets >> 48};
    const __m256i Lows = _mm256_shuffle_epi8(Low, Shuffles(Offset[0], Offset[2]));
    const __m256i Highs = _mm256_shuffle_epi8(High, Shuffles(Offset[1], Offset[3]));
    const __m128i Parts[4] = {_mm256_castsi256_si128(Lows), _mm256_castsi256_si128(Highs),
                              _mm256_extracti128_si256(Lows, 1),
                              _mm256_extracti128_si256(Highs, 1)};
    for (int Part = 0; Part < 4; ++Part) {
        _mm_storeu_si128(reinterpret_cast<__m128i*>(Out), Parts[Part]);
        Out += std::popcount(Offset[Part]);
    }
    return Out;
}

// 32 bytes of a window and where they start, for the bytes one, two and three places back, which
// are read again (a read costs no more than a shift across lanes); before the window they are the
// bytes of the characters before it.
struct Half {
    __m256i Bytes;
    const unsigned char* At;

    template <int N>
    QVH_TARGET_AVX2 __m256i Back() const {
        return _mm256_loadu_si256(reinterpret_cast<const __m256i*>(At - N));
    }
};

// The bytes of a half whose units are kept (as the sign bit of each), a four-byte character's
// third byte aside: those that no trail byte follows (Next holds the bytes one place on), but for
// line breaks if they go. The byte after the window is no part of it (it may even be ill-formed):
// in the last half Last, the last byte is kept unless it is a line break, or a lead, which the
// window leaves out.
template <bool SkipLineBreaks>
QVH_STEP __m256i Kept(const Constants& K, __m256i Bytes, __m256i Next, bool Last) {
    __m256i BeforeNoTrail = _mm256_cmpgt_epi8(Next, Load(K.AboveTrail));
    if (Last) {
        BeforeNoTrail = _mm256_or_si256(BeforeNoTrail, Load(K.LastByte));
    }
    if constexpr (!SkipLineBreaks) {
        return BeforeNoTrail;
    }
    return _mm256_andnot_si256(
        _mm256_cmpeq_epi8(_mm256_shuffle_epi8(Load(K.LineBreaks), Bytes), Bytes), BeforeNoTrail);
}

// Where a half's bytes are ill-formed, or hold a line break inside a sequence: not zero there.
QVH_STEP __m256i Faults(const Constants& K, const Half& Part) {
    const __m256i Previous = Part.Back<1>();
    const __m256i Found = _mm256_and_si256(
        _mm256_and_si256(
            _mm256_shuffle_epi8(Load(K.ByLeadHigh),
                                _mm256_and_si256(_mm256_srli_epi16(Previous, 4), Load(K.Nibble))),
            _mm256_shuffle_epi8(Load(K.ByLeadLow), _mm256_and_si256(Previous, Load(K.Nibble)))),
        _mm256_shuffle_epi8(Load(K.ByTrailHigh),
                            _mm256_and_si256(_mm256_srli_epi16(Part.Bytes, 4), Load(K.Nibble))));
    // Two trail bytes in a row belong where a lead of three or four bytes stands two or three
    // back, and only there.
    const __m256i Third = _mm256_or_si256(_mm256_subs_epu8(Part.Back<2>(), Load(K.Lead3ByTheSign)),
                                          _mm256_subs_epu8(Part.Back<3>(), Load(K.Lead4ByTheSign)));
    return _mm256_xor_si256(_mm256_and_si256(Third, Load(K.SignBit)), Found);
}

// Each byte's unit as if it ended its character: its own bits, the byte before's, and the lead
// two before of a three-byte character (or of a four-byte one, mended below); the last byte of a
// four-byte character takes the low surrogate's top bits. A four-byte character's third byte then
// holds the code point's top 16 bits as a three-byte character would: the high surrogate is that
// over 16, less 0x10000 / 1024. Low and High as Compact takes them.
QVH_STEP void Units(const Constants& K, const Half& Part, bool FourBytes, __m256i& Low,
                    __m256i& High) {
    // The byte before counts only for a trail byte. Compared this way round, the constant is an
    // operand read from memory rather than one more register.
    const __m256i Previous =
        _mm256_andnot_si256(_mm256_cmpgt_epi8(Part.Bytes, Load(K.AboveTrail)), Part.Back<1>());
    // Saturation leaves a lead of three or four bytes two back an index that finds its bits, and
    // turns any other byte into the index of a zero.
    const __m256i Lead3 = _mm256_subs_epu8(Part.Back<2>(), Load(K.Lead3Index));
    const __m256i LowBytes =
        _mm256_or_si256(_mm256_and_si256(Part.Bytes, Load(K.Ascii)),
                        _mm256_and_si256(_mm256_slli_epi16(Previous, 6), Load(K.TopTwo)));
    __m256i HighBytes =
        _mm256_or_si256(_mm256_and_si256(_mm256_srli_epi16(Previous, 2), Load(K.Nibble)),
                        _mm256_shuffle_epi8(Load(K.Lead3Bits), Lead3));
    if (!FourBytes) {
        Low = _mm256_unpacklo_epi8(LowBytes, HighBytes);
        High = _mm256_unpackhi_epi8(LowBytes, HighBytes);
        return;
    }
    // The sign bit marks a four-byte lead three back, as in Faults.
    const __m256i Lead4 = _mm256_subs_epu8(Part.Back<3>(), Load(K.Lead4ByTheSign));
    HighBytes =
        _mm256_blendv_epi8(HighBytes, _mm256_or_si256(HighBytes, Load(K.LowSurrogateTop)), Lead4);
    const __m256i Third = _mm256_subs_epu8(Part.Back<2>(), Load(K.Lead4ByTheSign));
    const __m256i Offset = Load(K.HighSurrogateOffset);
    Low = _mm256_unpacklo_epi8(LowBytes, HighBytes);
    High = _mm256_unpackhi_epi8(LowBytes, HighBytes);
    Low = _mm256_blendv_epi8(Low, _mm256_add_epi16(_mm256_srli_epi16(Low, 4), Offset),
                             _mm256_unpacklo_epi8(Third, Third));
    High = _mm256_blendv_epi8(High, _mm256_add_epi16(_mm256_srli_epi16(High, 4), Offset),
                              _mm256_unpackhi_epi8(Third, Third));
}

// A four-byte lead two places back (Back<2>), or three (Back<3>), as the sign bit.
template <int N>
QVH_STEP __m256i Lead4Back(const Constants& K, const Half& Part) {
    return _mm256_subs_epu8(Part.Back<N>(), Load(K.Lead4ByTheSign));
}

// Decodes the first Halves halves of the window at At, or their bytes up to the start of a
// character that goes on past them, and moves At on. Leaves At unchanged and returns false when
// the bytes are ill-formed or hold a line break inside a sequence.
template <bool SkipLineBreaks, int Halves>
QVH_STEP bool DecodeWindow(const Constants& K, Utf8Cursor& At, const __m256i (&Bytes)[2]) {
    const Half Parts[2] = {{Bytes[0], At.In}, {Bytes[1], At.In + 32}};
    // A character that goes on past the bytes starts with their last lead, and waits: only the
    // last three bytes of the last half can hold it. LastTaken counts the last half's bytes taken.
    const __m256i Open = _mm256_subs_epu8(Bytes[Halves - 1], Load(K.OpenAtTheEnd));
    unsigned LastTaken = 32;
    if (!_mm256_testz_si256(Open, Open)) {
        const __m256i Leads = _mm256_subs_epu8(Bytes[Halves - 1], Load(K.LeadByTheSign));
        LastTaken = 31 - static_cast<unsigned>(std::countl_zero(
                             static_cast<std::uint32_t>(_mm256_movemask_epi8(Leads))));
    }
    // Half by half, which keeps fewer vectors at once; what the first half writes before the
    // second turns out ill-formed is written over.
    RC::CharType* Out = At.Out;
    for (int Part = 0; Part < Halves; ++Part) {
        const __m256i Found = Faults(K, Parts[Part]);
        if (!_mm256_testz_si256(Found, Found)) {
            return false;
        }
        // The byte after the window is read too, for whether a trail byte follows the last; a
        // four-byte character's third byte keeps its high surrogate. A well-formed window has no
        // four-byte lead before it that it would hold the rest of.
        const __m256i Third = Lead4Back<2>(K, Parts[Part]);
        const __m256i Next =
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(Parts[Part].At + 1));
        std::uint64_t Keep = static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_or_si256(
            Third, Kept<SkipLineBreaks>(K, Parts[Part].Bytes, Next, Part == Halves - 1))));
        if (Part == Halves - 1) {
            Keep = _bzhi_u64(Keep, LastTaken);
        }
        const __m256i FourBytes = _mm256_or_si256(Third, Lead4Back<3>(K, Parts[Part]));
        __m256i Low;
        __m256i High;
        Units(K, Parts[Part], !_mm256_testz_si256(FourBytes, Load(K.SignBit)), Low, High);
        Out = Compact(Out, Low, High, Keep);
    }
    At.Out = Out;
    At.In += 32 * (Halves - 1) + LastTaken;
    return true;
}

// Keeps the ASCII units of a half with line breaks (or other control bytes) in it.
QVH_STEP RC::CharType* KeepAscii(RC::CharType* Out, __m256i Bytes, std::uint32_t Keep) {
    const __m256i Zero = _mm256_setzero_si256();
    return Compact(Out, _mm256_unpacklo_epi8(Bytes, Zero), _mm256_unpackhi_epi8(Bytes, Zero), Keep);
}

QVH_STEP void StoreAscii(RC::CharType* Out, __m256i Bytes) {
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Out),
                        _mm256_cvtepu8_epi16(_mm256_castsi256_si128(Bytes)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(Out + 16),
                        _mm256_cvtepu8_epi16(_mm256_extracti128_si256(Bytes, 1)));
}

// The line breaks of a half, one bit each.
QVH_STEP std::uint32_t Breaks(const Constants& K, __m256i Bytes) {
    return static_cast<std::uint32_t>(_mm256_movemask_epi8(
        _mm256_cmpeq_epi8(_mm256_shuffle_epi8(Load(K.LineBreaks), Bytes), Bytes)));
}

// One sequence at a time up to Stop, or just past it where a sequence goes on, and past trail
// bytes that lead nothing: the bytes before a window, which it reads, may be ill-formed, and then
// only a window that starts with no trail byte checks all it relies on.
template <bool SkipLineBreaks>
Utf8Cursor DecodeSequencesBefore(Utf8Cursor At, const unsigned char* Stop,
                                 const unsigned char* End) {
    while (At.In < Stop || (At.In != End && IsTrail(*At.In))) {
        if (SkipLineBreaks && IsLineBreak(*At.In)) {
            ++At.In;
            continue;
        }
        At = DecodeSequence<SkipLineBreaks>(At, End);
    }
    return At;
}

// Windows one after another from At, whose first half (First) holds characters, for as long as
// each starts with one: text with characters all along is spared the test for ASCII text.
template <bool SkipLineBreaks>
QVH_STEP Utf8Cursor DecodeWindows(const Constants& K, Utf8Cursor At, const unsigned char* End,
                                  __m256i First) {
    __m256i Bytes[2] = {First};
    do {
        // The window is both halves unless the second is ASCII.
        Bytes[1] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(At.In + 32));
        const bool Decoded = _mm256_movemask_epi8(Bytes[1]) == 0
                                 ? DecodeWindow<SkipLineBreaks, 1>(K, At, Bytes)
                                 : DecodeWindow<SkipLineBreaks, 2>(K, At, Bytes);
        if (!Decoded) {
            // Ill-formed, or a line break inside a sequence.
            At = DecodeSequencesBefore<SkipLineBreaks>(At, At.In + 32, End);
        }
        if (End - At.In <= Window) {
            break;
        }
        Bytes[0] = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(At.In));
    } while (_mm256_movemask_epi8(Bytes[0]) != 0);
    return At;
}

}  // namespace

template <bool SkipLineBreaks>
QVH_TARGET_AVX2 Utf8Cursor DecodeChunksAvx2(Utf8Cursor At, const unsigned char* Start,
                                            const unsigned char* End) {
    const Constants& K = Unseen();
    // A window reads the three bytes before it, which the first three do not have.
    if (At.In - Start < 3) {
        At = DecodeSequencesBefore<SkipLineBreaks>(At, Start + 3, End);
    }
    // Past each window, one more byte is read.
    while (End - At.In > Window) {
        __m256i Bytes[2] = {_mm256_loadu_si256(reinterpret_cast<const __m256i*>(At.In))};
        if (_mm256_movemask_epi8(_mm256_subs_epi8(Bytes[0], Load(K.Marks[SkipLineBreaks]))) == 0) {
            StoreAscii(At.Out, Bytes[0]);
            At.In += 32;
            At.Out += 32;
            continue;
        }
        if (_mm256_movemask_epi8(Bytes[0]) == 0) {
            At.Out = KeepAscii(At.Out, Bytes[0], SkipLineBreaks ? ~Breaks(K, Bytes[0]) : ~0U);
            At.In += 32;
            continue;
        }
        At = DecodeWindows<SkipLineBreaks>(K, At, End, Bytes[0]);
    }
    return At;
}

template Utf8Cursor DecodeChunksAvx2<true>(Utf8Cursor, const unsigned char*, const unsigned char*);
template Utf8Cursor DecodeChunksAvx2<false>(Utf8Cursor, const unsigned char*, const unsigned char*);

}  // namespace QVH::detail
#endif

#include "anim_files/utf8_units.hpp"

#include <bit>

#if defined(__SSE2__) || defined(_M_X64)
#include <emmintrin.h>
#define QVH_DECODE_WITH_SSE2 1
#endif

namespace QVH::detail {
namespace {

static_assert(sizeof(RC::CharType) == 2, "engine text is UTF-16");

constexpr RC::CharType Replacement = 0xFFFD;

bool IsLineBreak(unsigned char Byte) { return Byte == '\r' || Byte == '\n'; }
bool IsTrail(unsigned char Byte) { return (Byte & 0xC0) == 0x80; }

// Where decoding stands: the next byte to read and the next unit to write. Passed and returned
// by value so both stay in registers in the loops.
struct Cursor {
    const unsigned char* In;
    RC::CharType* Out;
};

// Decodes the sequence whose lead byte is at At.In. An ill-formed sequence gives one U+FFFD for
// its longest prefix that could still have begun a well-formed one (at least the lead byte), and
// decoding resumes right after that prefix.
template <bool SkipLineBreaks>
Cursor DecodeSequence(Cursor At, const unsigned char* End) {
    auto [In, Out] = At;
    const unsigned Lead = *In++;
    if (Lead < 0x80) {
        *Out++ = static_cast<RC::CharType>(Lead);
        return {In, Out};
    }
    // Most sequences are well-formed two- and three-byte ones with nothing between their bytes:
    // those take one step. (A line break is no trail byte, so it never passes here.)
    if (Lead >= 0xC2 && Lead <= 0xDF && End - In >= 1 && IsTrail(In[0])) {
        *Out++ = static_cast<RC::CharType>((Lead & 0x1F) << 6 | (In[0] & 0x3F));
        return {In + 1, Out};
    }
    if (Lead >= 0xE1 && Lead <= 0xEF && Lead != 0xED && End - In >= 2 && IsTrail(In[0]) &&
        IsTrail(In[1])) {
        *Out++ =
            static_cast<RC::CharType>((Lead & 0x0F) << 12 | (In[0] & 0x3F) << 6 | (In[1] & 0x3F));
        return {In + 2, Out};
    }
    int Trail = 0;
    char32_t Code = 0;
    // The first trail byte's range is narrower after E0, ED, F0 and F4: that is what excludes
    // overlong forms, surrogates and code points above U+10FFFF.
    unsigned Low = 0x80;
    unsigned High = 0xBF;
    if (Lead >= 0xC2 && Lead <= 0xDF) {
        Trail = 1;
        Code = Lead & 0x1F;
    } else if (Lead >= 0xE0 && Lead <= 0xEF) {
        Trail = 2;
        Code = Lead & 0x0F;
        Low = Lead == 0xE0 ? 0xA0 : 0x80;
        High = Lead == 0xED ? 0x9F : 0xBF;
    } else if (Lead >= 0xF0 && Lead <= 0xF4) {
        Trail = 3;
        Code = Lead & 0x07;
        Low = Lead == 0xF0 ? 0x90 : 0x80;
        High = Lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        *Out++ = Replacement;
        return {In, Out};
    }
    for (; Trail > 0; --Trail) {
        if constexpr (SkipLineBreaks) {
            while (In != End && IsLineBreak(*In)) {
                ++In;
            }
        }
        if (In == End || *In < Low || *In > High) {
            *Out++ = Replacement;
            return {In, Out};
        }
        Code = (Code << 6) | (*In++ & 0x3F);
        Low = 0x80;
        High = 0xBF;
    }
    if (Code < 0x10000) {
        *Out++ = static_cast<RC::CharType>(Code);
    } else {
        *Out++ = static_cast<RC::CharType>(0xD800 + ((Code - 0x10000) >> 10));
        *Out++ = static_cast<RC::CharType>(0xDC00 + (Code & 0x3FF));
    }
    return {In, Out};
}

#ifdef QVH_DECODE_WITH_SSE2
// Writes the 16 bytes of Bytes as 16 units.
void StoreWidened(RC::CharType* Out, __m128i Bytes) {
    const __m128i Zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out), _mm_unpacklo_epi8(Bytes, Zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out + 8), _mm_unpackhi_epi8(Bytes, Zero));
}

// Decodes 16 bytes at a time while they are ASCII, dropping line breaks when asked, and the
// sequences between ASCII stretches one by one. Stops when fewer than 16 bytes are left.
template <bool SkipLineBreaks>
Cursor DecodeAsciiChunks(Cursor At, const unsigned char* End) {
    auto [In, Out] = At;
    if (End - In < 16) {
        return At;
    }
    const unsigned char* const LastChunk = End - 16;
    // As signed bytes, those from 0x80 up are negative, and so stay when 14 is taken off with
    // saturation; so do the control bytes up to CR (0x0D), LF among them. One subtraction thus
    // marks (with the sign bit) each byte that is not ASCII and each line break. Only a chunk with
    // a mark is looked at closely, and one marked only for tabs and the like is taken as it is.
    const __m128i Fourteen = _mm_set1_epi8(SkipLineBreaks ? 14 : 0);
    const __m128i Cr = _mm_set1_epi8('\r');
    const __m128i Lf = _mm_set1_epi8('\n');
    while (In <= LastChunk) {
        const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(In));
        // All 16 units are written, but only those before the first byte that is not ASCII or
        // is a line break are kept; the next chunk starts after them and after any line breaks
        // that follow. Writing past the kept units stays within the output, which is as long as
        // the input.
        const int Marks = _mm_movemask_epi8(_mm_subs_epi8(Bytes, Fourteen));
        StoreWidened(Out, Bytes);
        if (Marks == 0) {
            In += 16;
            Out += 16;
            continue;
        }
        // Loaded again rather than kept, which spares the loop above a register copy.
        const __m128i Marked = _mm_loadu_si128(reinterpret_cast<const __m128i*>(In));
        const auto NotAscii = static_cast<unsigned>(_mm_movemask_epi8(Marked));
        unsigned Breaks = 0;
        if constexpr (SkipLineBreaks) {
            Breaks = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_or_si128(_mm_cmpeq_epi8(Marked, Cr), _mm_cmpeq_epi8(Marked, Lf))));
            if ((NotAscii | Breaks) == 0) {
                In += 16;
                Out += 16;
                continue;
            }
        }
        const int Kept = std::countr_zero(NotAscii | Breaks);
        In += Kept;
        Out += Kept;
        const int Dropped = std::countr_one(Breaks >> Kept);
        if (Dropped > 0) {
            In += Dropped;
            continue;
        }
        // Not ASCII: decode the sequences from here on one by one, up to the next ASCII byte.
        Cursor Next{In, Out};
        do {
            Next = DecodeSequence<SkipLineBreaks>(Next, End);
        } while (Next.In != End && *Next.In >= 0x80);
        In = Next.In;
        Out = Next.Out;
    }
    return {In, Out};
}
#endif

template <bool SkipLineBreaks, bool UseVector>
std::size_t Decode(const unsigned char* In, std::size_t Size, RC::CharType* Out) {
    const unsigned char* const End = In + Size;
    Cursor At{In, Out};
    while (At.In != End) {
#ifdef QVH_DECODE_WITH_SSE2
        // Text that is mostly not ASCII goes straight to the sequence decoder.
        if (UseVector && *At.In < 0x80) {
            At = DecodeAsciiChunks<SkipLineBreaks>(At, End);
            if (At.In == End) {
                break;
            }
        }
#endif
        if (SkipLineBreaks && IsLineBreak(*At.In)) {
            ++At.In;
            continue;
        }
        At = DecodeSequence<SkipLineBreaks>(At, End);
    }
    return static_cast<std::size_t>(At.Out - Out);
}

char16_t LoadUnit(const unsigned char* In, bool BigEndian) {
    return BigEndian ? static_cast<char16_t>(In[0] << 8 | In[1])
                     : static_cast<char16_t>(In[1] << 8 | In[0]);
}

bool IsHighSurrogate(char16_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLowSurrogate(char16_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

}  // namespace

std::size_t DecodeUtf8Units(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                            bool SkipLineBreaks) {
    return SkipLineBreaks ? Decode<true, true>(In, Size, Out) : Decode<false, true>(In, Size, Out);
}

std::size_t DecodeUtf8UnitsScalar(const unsigned char* In, std::size_t Size, RC::CharType* Out,
                                  bool SkipLineBreaks) {
    return SkipLineBreaks ? Decode<true, false>(In, Size, Out)
                          : Decode<false, false>(In, Size, Out);
}

std::size_t DecodeUtf16Units(const unsigned char* In, std::size_t Size, bool BigEndian,
                             RC::CharType* Out) {
    const unsigned char* const End = In + (Size & ~std::size_t{1});
    RC::CharType* const First = Out;
    while (In != End) {
        const char16_t Unit = LoadUnit(In, BigEndian);
        In += 2;
        if (IsHighSurrogate(Unit) && In != End && IsLowSurrogate(LoadUnit(In, BigEndian))) {
            *Out++ = static_cast<RC::CharType>(Unit);
            *Out++ = static_cast<RC::CharType>(LoadUnit(In, BigEndian));
            In += 2;
        } else if (IsHighSurrogate(Unit) || IsLowSurrogate(Unit)) {
            *Out++ = Replacement;
        } else if (Unit != u'\r' && Unit != u'\n') {
            *Out++ = static_cast<RC::CharType>(Unit);
        }
    }
    if (Size % 2 != 0) {
        *Out++ = Replacement;
    }
    return static_cast<std::size_t>(Out - First);
}

}  // namespace QVH::detail

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

// Decodes the sequence whose lead byte is at In and returns the first byte not consumed. An
// ill-formed sequence gives one U+FFFD for its longest prefix that could still have begun a
// well-formed one (at least the lead byte), and decoding resumes right after that prefix.
template <bool SkipLineBreaks>
const unsigned char* DecodeSequence(const unsigned char* In, const unsigned char* End,
                                    RC::CharType*& Out) {
    const unsigned Lead = *In++;
    if (Lead < 0x80) {
        *Out++ = static_cast<RC::CharType>(Lead);
        return In;
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
        return In;
    }
    for (; Trail > 0; --Trail) {
        if constexpr (SkipLineBreaks) {
            while (In != End && IsLineBreak(*In)) {
                ++In;
            }
        }
        if (In == End || *In < Low || *In > High) {
            *Out++ = Replacement;
            return In;
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
    return In;
}

#ifdef QVH_DECODE_WITH_SSE2
// Writes the 16 bytes of Bytes as 16 units.
void StoreWidened(RC::CharType* Out, __m128i Bytes) {
    const __m128i Zero = _mm_setzero_si128();
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out), _mm_unpacklo_epi8(Bytes, Zero));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(Out + 8), _mm_unpackhi_epi8(Bytes, Zero));
}

// Widens the bytes of Bytes whose bits are set in Keep (all of them below bit 16) and writes them
// one after the other at Out. Each run of kept bytes is stored as a whole 16-unit block, so
// this writes up to 15 units past the last one it keeps.
RC::CharType* StoreKeptRuns(RC::CharType* Out, __m128i Bytes, unsigned Keep) {
    // A copy with zeros behind it, so a run can be loaded from any offset without reading
    // beyond the caller's input.
    alignas(16) unsigned char Chunk[32];
    _mm_store_si128(reinterpret_cast<__m128i*>(Chunk), Bytes);
    _mm_store_si128(reinterpret_cast<__m128i*>(Chunk + 16), _mm_setzero_si128());
    while (Keep != 0) {
        const int Start = std::countr_zero(Keep);
        const int Length = std::countr_one(Keep >> Start);
        StoreWidened(Out, _mm_loadu_si128(reinterpret_cast<const __m128i*>(Chunk + Start)));
        Out += Length;
        Keep &= ~0u << (Start + Length);
    }
    return Out;
}
#endif

template <bool SkipLineBreaks, bool UseVector>
std::size_t Decode(const unsigned char* In, std::size_t Size, RC::CharType* Out) {
    const unsigned char* const End = In + Size;
    RC::CharType* const First = Out;
    while (In != End) {
#ifdef QVH_DECODE_WITH_SSE2
        if (UseVector && End - In >= 16) {
            const __m128i Bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(In));
            const unsigned NonAscii = static_cast<unsigned>(_mm_movemask_epi8(Bytes));
            unsigned Breaks = 0;
            if constexpr (SkipLineBreaks) {
                const __m128i Cr = _mm_cmpeq_epi8(Bytes, _mm_set1_epi8('\r'));
                const __m128i Lf = _mm_cmpeq_epi8(Bytes, _mm_set1_epi8('\n'));
                Breaks = static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(Cr, Lf)));
            }
            if ((NonAscii | Breaks) == 0) {
                StoreWidened(Out, Bytes);
                In += 16;
                Out += 16;
                continue;
            }
            // The ASCII bytes before the first other one are done here, the rest one sequence
            // at a time below.
            const int AsciiCount = NonAscii == 0 ? 16 : std::countr_zero(NonAscii);
            const unsigned AsciiMask = (1u << AsciiCount) - 1;
            if ((Breaks & AsciiMask) == 0) {
                StoreWidened(Out, Bytes);
                Out += AsciiCount;
            } else {
                Out = StoreKeptRuns(Out, Bytes, ~Breaks & AsciiMask);
            }
            In += AsciiCount;
            if (NonAscii == 0) {
                continue;
            }
        }
#endif
        if (SkipLineBreaks && IsLineBreak(*In)) {
            ++In;
            continue;
        }
        In = DecodeSequence<SkipLineBreaks>(In, End, Out);
    }
    return static_cast<std::size_t>(Out - First);
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

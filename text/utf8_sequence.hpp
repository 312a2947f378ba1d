#pragma once

#include <bit>
#include <cstdint>
#include <string_view>

#include "File/Macros.hpp"
#include "text/unicode.hpp"
#include "text/utf16_character.hpp"

// One UTF-8 sequence at a time: the step that the scalar and the vector decoding loops share, and
// that tools which follow a file character by character use too. Stateless; any thread.
namespace QVH {

// One sequence as read: its character, where it ends, and whether it was well-formed.
struct Utf8Sequence {
    char32_t Code;             // Replacement when not WellFormed
    const unsigned char* End;  // just past the sequence, line breaks passed over inside it included
    bool WellFormed;
};

// Reads the sequence whose lead byte is at In (In != End). An ill-formed sequence gives U+FFFD
// for its longest prefix that could still have begun a well-formed one (at least the lead byte).
// With SkipLineBreaks, CR and LF between a sequence's bytes are passed over, as a file's are
// dropped before it is decoded; those after an ill-formed prefix are left to the caller.
template <bool SkipLineBreaks>
inline Utf8Sequence ReadUtf8Sequence(const unsigned char* In, const unsigned char* End) {
    const unsigned Lead = *In++;
    if (Lead < 0x80) {
        return {Lead, In, true};
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
        return {Replacement, In, false};
    }
    for (; Trail > 0; --Trail) {
        if (In == End || *In < Low || *In > High) {
            // Line breaks count as passed over only when a trail byte follows them.
            const unsigned char* Next = In;
            if constexpr (SkipLineBreaks) {
                while (Next != End && IsLineBreak(*Next)) {
                    ++Next;
                }
            }
            if (Next == In || Next == End || *Next < Low || *Next > High) {
                return {Replacement, In, false};
            }
            In = Next;
        }
        Code = (Code << 6) | (*In++ & 0x3F);
        Low = 0x80;
        High = 0xBF;
    }
    return {Code, In, true};
}

// Whether Bytes are well-formed UTF-8 throughout: text that must arrive exactly as given.
inline bool IsWellFormedUtf8(std::string_view Bytes) {
    const auto* In = reinterpret_cast<const unsigned char*>(Bytes.data());
    const auto* const End = In + Bytes.size();
    while (In != End) {
        const Utf8Sequence Sequence = ReadUtf8Sequence<false>(In, End);
        if (!Sequence.WellFormed) {
            return false;
        }
        In = Sequence.End;
    }
    return true;
}

}  // namespace QVH

namespace QVH::detail {

inline bool IsTrail(unsigned char Byte) { return (Byte & 0xC0) == 0x80; }

// Where decoding stands: the next byte to read and the next unit to write. Passed and returned
// by value so both stay in registers in the loops.
struct Utf8Cursor {
    const unsigned char* In;
    RC::CharType* Out;
};

// Decodes the sequence whose lead byte is at At.In, as ReadUtf8Sequence reads it, and resumes
// right after it.
template <bool SkipLineBreaks>
inline Utf8Cursor DecodeSequence(Utf8Cursor At, const unsigned char* End) {
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
    const Utf8Sequence Sequence = ReadUtf8Sequence<SkipLineBreaks>(In - 1, End);
    return {Sequence.End, WriteUtf16(Sequence.Code, Out)};
}

// Decodes the sequences from At.In on, one by one, up to the next ASCII byte or End. At.In
// must hold a byte that is not ASCII.
template <bool SkipLineBreaks>
inline Utf8Cursor DecodeSequences(Utf8Cursor At, const unsigned char* End) {
    do {
        At = DecodeSequence<SkipLineBreaks>(At, End);
    } while (At.In != End && *At.In >= 0x80);
    return At;
}

// In a chunk whose units are all written already, keeps the units before its first byte that is
// not ASCII or is a line break (NotAscii and Breaks mark them, bit N for byte N), then steps over
// the line breaks that start there, or decodes the sequences that do.
template <bool SkipLineBreaks>
inline Utf8Cursor PastFirstMark(Utf8Cursor At, const unsigned char* End, std::uint32_t NotAscii,
                                std::uint32_t Breaks) {
    const int Kept = std::countr_zero(NotAscii | Breaks);
    At.In += Kept;
    At.Out += Kept;
    const int Dropped = std::countr_one(Breaks >> Kept);
    if (Dropped > 0) {
        At.In += Dropped;
        return At;
    }
    return DecodeSequences<SkipLineBreaks>(At, End);
}

}  // namespace QVH::detail

#pragma once

#include "File/Macros.hpp"
#include "text/unicode.hpp"

// One UTF-16 character at a time: a unit, or a surrogate pair, and the way back from a code point
// to its pair. The one place that knows how a pair is made; every reader of UTF-16 here, the
// mod's and the check's, takes its characters through it. Stateless; any thread.
namespace QVH {

// One character as read: its code point and how many units it takes.
struct Utf16Character {
    // A pair's code point; for any other unit, the unit's own value, half of a pair included.
    char32_t Code;
    unsigned Units;   // 2 for a pair, else 1
    bool WellFormed;  // false for half of a pair on its own
};

// The character that starts with the unit First, Next being the unit after it (0 when there is
// none: a NUL pairs with nothing).
inline constexpr Utf16Character ReadUtf16Character(char32_t First, char32_t Next) {
    if (IsHighSurrogate(First) && IsLowSurrogate(Next)) {
        return {0x10000 + ((First - 0xD800) << 10) + (Next - 0xDC00), 2, true};
    }
    return {First, 1, !IsHighSurrogate(First) && !IsLowSurrogate(First)};
}

// The unit of UTF-16 stored in the two bytes at In, in the byte order given.
inline constexpr char16_t LoadUtf16Unit(const unsigned char* In, bool BigEndian) {
    return BigEndian ? static_cast<char16_t>(In[0] << 8 | In[1])
                     : static_cast<char16_t>(In[1] << 8 | In[0]);
}

// Writes the units of Code (at most U+10FFFF) at Out and returns where they end: a code point
// above U+FFFF as its pair, any other as one unit.
inline RC::CharType* WriteUtf16(char32_t Code, RC::CharType* Out) {
    if (Code < 0x10000) {
        *Out++ = static_cast<RC::CharType>(Code);
    } else {
        *Out++ = static_cast<RC::CharType>(0xD800 + ((Code - 0x10000) >> 10));
        *Out++ = static_cast<RC::CharType>(0xDC00 + (Code & 0x3FF));
    }
    return Out;
}

}  // namespace QVH

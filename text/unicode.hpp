#pragma once

#include <cstddef>
#include <string_view>

#include "File/Macros.hpp"

// The few facts about Unicode text that every conversion here shares.
namespace QVH {

// What a decoder puts where the input holds no character.
inline constexpr RC::CharType Replacement = 0xFFFD;

inline constexpr bool IsHighSurrogate(char32_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
inline constexpr bool IsLowSurrogate(char32_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// Whether the unit at At is half of a pair that is not there: a high surrogate not followed by a
// low one, or a low surrogate not after a high one.
inline constexpr bool IsUnpairedSurrogate(RC::StringViewType Text, std::size_t At) {
    if (IsHighSurrogate(Text[At])) {
        return At + 1 == Text.size() || !IsLowSurrogate(Text[At + 1]);
    }
    return IsLowSurrogate(Text[At]) && (At == 0 || !IsHighSurrogate(Text[At - 1]));
}

// Whether Text is well-formed UTF-16: every surrogate is half of a pair.
inline constexpr bool IsWellFormedUtf16(RC::StringViewType Text) {
    for (std::size_t At = 0; At < Text.size(); ++At) {
        if (IsUnpairedSurrogate(Text, At)) {
            return false;
        }
    }
    return true;
}

// Carriage return and line feed, as bytes or as UTF-16 units: what animation text loses.
inline constexpr bool IsLineBreak(char32_t Unit) { return Unit == '\r' || Unit == '\n'; }

// Byte-order marks, which tell a file's encoding from its first bytes.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view Utf16LeBom = "\xFF\xFE";
inline constexpr std::string_view Utf16BeBom = "\xFE\xFF";

}  // namespace QVH

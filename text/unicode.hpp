#pragma once

#include <string_view>

#include "File/Macros.hpp"

// The few facts about Unicode text that every conversion here shares.
namespace QVH {

// What a decoder puts where the input holds no character.
inline constexpr RC::CharType Replacement = 0xFFFD;

inline constexpr bool IsHighSurrogate(char32_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
inline constexpr bool IsLowSurrogate(char32_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// Carriage return and line feed, as bytes or as UTF-16 units: what animation text loses.
inline constexpr bool IsLineBreak(char32_t Unit) { return Unit == '\r' || Unit == '\n'; }

// Byte-order marks, which tell a file's encoding from its first bytes.
inline constexpr std::string_view Utf8Bom = "\xEF\xBB\xBF";
inline constexpr std::string_view Utf16LeBom = "\xFF\xFE";
inline constexpr std::string_view Utf16BeBom = "\xFE\xFF";

}  // namespace QVH

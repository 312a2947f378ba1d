#include "text/decode_utf16_units.hpp"

#include "text/unicode.hpp"
#include "text/utf16_character.hpp"

namespace QVH::detail {

std::size_t DecodeUtf16Units(const unsigned char* In, std::size_t Size, bool BigEndian,
                             RC::CharType* Out) {
    const unsigned char* const End = In + (Size & ~std::size_t{1});
    RC::CharType* const First = Out;
    while (In != End) {
        const char16_t Unit = LoadUtf16Unit(In, BigEndian);
        In += 2;
        // A pair is kept as it is: the units of UTF-16 text are already engine text.
        if (IsHighSurrogate(Unit) && In != End && IsLowSurrogate(LoadUtf16Unit(In, BigEndian))) {
            *Out++ = static_cast<RC::CharType>(Unit);
            *Out++ = static_cast<RC::CharType>(LoadUtf16Unit(In, BigEndian));
            In += 2;
        } else if (IsHighSurrogate(Unit) || IsLowSurrogate(Unit)) {
            *Out++ = Replacement;
        } else if (!IsLineBreak(Unit)) {
            *Out++ = static_cast<RC::CharType>(Unit);
        }
    }
    if (Size % 2 != 0) {
        *Out++ = Replacement;
    }
    return static_cast<std::size_t>(Out - First);
}

}  // namespace QVH::detail

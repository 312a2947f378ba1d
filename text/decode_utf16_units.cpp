#include "text/decode_utf16_units.hpp"

#include "text/unicode.hpp"
#include "text/utf16_character.hpp"

namespace QVH::detail {
std::size_t DecodeUtf16Units(const unsigned char* In, std::size_t Size, bool BigEndian,
                             RC::CharType* Out) {
    const unsigned char* const End = In + (Size & ~std::size_t{1});
    RC::CharType* const First = Out;
    while (In != End) {
        const Utf16Character Character = ReadUtf16Character(
            LoadUtf16Unit(In, BigEndian), End - In >= 4 ? LoadUtf16Unit(In + 2, BigEndian) : 0);
        In += 2 * Character.Units;
        if (!Character.WellFormed) {
            *Out++ = Replacement;
        } else if (!IsLineBreak(Character.Code)) {
            Out = WriteUtf16(Character.Code, Out);
        }
    }
    if (Size % 2 != 0) {
        *Out++ = Replacement;
    }
    return static_cast<std::size_t>(Out - First);
}

}  // namespace QVH::detail

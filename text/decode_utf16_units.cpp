#include "text/decode_utf16_units.hpp"

#include "text/unicode.hpp"

namespace QVH::detail {
namespace {

char16_t LoadUnit(const unsigned char* In, bool BigEndian) {
    return BigEndian ? static_cast<char16_t>(In[0] << 8 | In[1])
                     : static_cast<char16_t>(In[1] << 8 | In[0]);
}

}  // namespace

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

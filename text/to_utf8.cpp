#include "text/to_utf8.hpp"

#include <stdexcept>

#include "text/unicode.hpp"

namespace QVH {

void AppendUtf8(std::string& Out, char32_t Code) {
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 | (Code >> 6));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else if (Code < 0x10000) {
        Out += static_cast<char>(0xE0 | (Code >> 12));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    } else {
        Out += static_cast<char>(0xF0 | (Code >> 18));
        Out += static_cast<char>(0x80 | ((Code >> 12) & 0x3F));
        Out += static_cast<char>(0x80 | ((Code >> 6) & 0x3F));
        Out += static_cast<char>(0x80 | (Code & 0x3F));
    }
}

std::string ToUtf8(RC::StringViewType Text) {
    // File names are mostly ASCII: their bytes go in one pass; the rest from the first unit that
    // is not ASCII on.
    std::size_t Ascii = 0;
    while (Ascii < Text.size() && Text[Ascii] < 0x80) {
        ++Ascii;
    }
    std::string Out(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(Ascii));
    if (Ascii == Text.size()) {
        return Out;
    }
    Out.reserve(Text.size() + 8);
    for (std::size_t I = Ascii; I < Text.size(); ++I) {
        const char32_t Unit = Text[I];
        if (!IsHighSurrogate(Unit)) {
            AppendUtf8(Out, Unit);
            continue;
        }
        const char32_t Plane = Unit - 0xD800 + 0x40;  // (code point >> 10) of the pair
        // The pair's first byte is due as soon as its high half is read, so a high surrogate
        // that ends the text leaves that byte behind.
        Out += static_cast<char>(0xF0 | (Plane >> 8));
        if (I + 1 == Text.size()) {
            break;
        }
        const char32_t Next = Text[++I];
        if (!IsLowSurrogate(Next)) {
            throw std::range_error("bad conversion");
        }
        Out += static_cast<char>(0x80 | ((Plane >> 2) & 0x3F));
        Out += static_cast<char>(0x80 | ((Plane & 0x3) << 4) | ((Next >> 6) & 0xF));
        Out += static_cast<char>(0x80 | (Next & 0x3F));
    }
    return Out;
}

}  // namespace QVH

#include "text/to_utf8.hpp"

#include "text/utf16_character.hpp"

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

namespace {

// With Lossy, half of a surrogate pair on its own becomes U+FFFD; without, the bytes of its own
// value.
std::string Encode(RC::StringViewType Text, bool Lossy) {
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
    for (std::size_t I = Ascii; I < Text.size();) {
        const Utf16Character Character =
            ReadUtf16Character(Text[I], I + 1 < Text.size() ? Text[I + 1] : 0);
        AppendUtf8(Out, Lossy && !Character.WellFormed ? Replacement : Character.Code);
        I += Character.Units;
    }
    return Out;
}

}  // namespace

std::string ToUtf8(RC::StringViewType Text) { return Encode(Text, false); }

std::string ToUtf8Lossy(RC::StringViewType Text) { return Encode(Text, true); }

}  // namespace QVH

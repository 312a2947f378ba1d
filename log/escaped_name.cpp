#include "log/escaped_name.hpp"

#include "text/to_utf8.hpp"

#include "text/utf16_character.hpp"
#include "text/utf8_sequence.hpp"

namespace QVH {
namespace {

// Unicode's Default_Ignorable_Code_Point: what a reader does not show (U+200B, U+2060, U+FEFF,
// U+00AD), so that a name with one looks like the name without it. The bidirectional controls,
// which can make a name read as another, are all among them.
bool IsInvisible(char32_t Code) {
    return Code == 0x00AD || Code == 0x034F || Code == 0x061C ||
           (Code >= 0x115F && Code <= 0x1160) || (Code >= 0x17B4 && Code <= 0x17B5) ||
           (Code >= 0x180B && Code <= 0x180F) || (Code >= 0x200B && Code <= 0x200F) ||
           (Code >= 0x202A && Code <= 0x202E) || (Code >= 0x2060 && Code <= 0x206F) ||
           Code == 0x3164 || (Code >= 0xFE00 && Code <= 0xFE0F) || Code == 0xFEFF ||
           Code == 0xFFA0 || (Code >= 0xFFF0 && Code <= 0xFFF8) ||
           (Code >= 0x1BCA0 && Code <= 0x1BCA3) || (Code >= 0x1D173 && Code <= 0x1D17A) ||
           (Code >= 0xE0000 && Code <= 0xE0FFF);
}

bool NeedsEscape(char32_t Code) {
    // The C0 and C1 controls (U+0085 ends a line to some readers), the line and paragraph
    // separators, what is not shown, and "<", which starts every escape.
    return Code < 0x20 || (Code >= 0x7F && Code <= 0x9F) || Code == 0x2028 || Code == 0x2029 ||
           IsInvisible(Code) || Code == '<';
}

template <class String>
void AppendEscape(String& Out, const char* Prefix, char32_t Value, int Digits) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    while (Digits < 8 && (Value >> (4 * Digits)) != 0) {
        ++Digits;
    }
    Out += '<';
    for (const char* At = Prefix; *At != 0; ++At) {
        Out += static_cast<typename String::value_type>(*At);
    }
    for (int Shift = 4 * (Digits - 1); Shift >= 0; Shift -= 4) {
        Out += static_cast<typename String::value_type>(Hex[(Value >> Shift) & 0xF]);
    }
    Out += '>';
}

}  // namespace

RC::StringType EscapedName(RC::StringViewType Name) {
    RC::StringType Out;
    Out.reserve(Name.size());
    for (std::size_t At = 0; At < Name.size();) {
        // A pair is one character, escaped as its code point (U+E0001 is a pair); half of one on
        // its own as its unit.
        const Utf16Character Character =
            ReadUtf16Character(Name[At], At + 1 < Name.size() ? Name[At + 1] : 0);
        if (!Character.WellFormed || NeedsEscape(Character.Code)) {
            AppendEscape(Out, "U+", Character.Code, 4);
        } else {
            Out.append(Name.substr(At, Character.Units));
        }
        At += Character.Units;
    }
    return Out;
}

std::string EscapedNameUtf8(std::string_view Name) {
    std::string Out;
    Out.reserve(Name.size());
    const auto* In = reinterpret_cast<const unsigned char*>(Name.data());
    const auto* const End = In + Name.size();
    while (In != End) {
        const Utf8Sequence Sequence = ReadUtf8Sequence<false>(In, End);
        if (!Sequence.WellFormed) {
            for (; In != Sequence.End; ++In) {
                AppendEscape(Out, "0x", *In, 2);
            }
        } else if (NeedsEscape(Sequence.Code)) {
            AppendEscape(Out, "U+", Sequence.Code, 4);
        } else {
            Out.append(reinterpret_cast<const char*>(In),
                       static_cast<std::size_t>(Sequence.End - In));
        }
        In = Sequence.End;
    }
    return Out;
}

// The escape leaves no half of a pair: plain ToUtf8 takes the escaped text.
std::string EscapedNameUtf8(RC::StringViewType Name) { return ToUtf8(EscapedName(Name)); }

}  // namespace QVH

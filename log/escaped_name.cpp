#include "log/escaped_name.hpp"

#include "text/unicode.hpp"
#include "text/utf8_sequence.hpp"

namespace QVH {
namespace {

bool NeedsEscape(char32_t Code) {
    // The C0 and C1 controls (U+0085 ends a line to some readers), the line and paragraph
    // separators, the bidirectional controls (Unicode's Bidi_Control property, which can make a
    // name read as another), and "<", which starts every escape.
    return Code < 0x20 || (Code >= 0x7F && Code <= 0x9F) || Code == 0x061C || Code == 0x200E ||
           Code == 0x200F || (Code >= 0x2028 && Code <= 0x202E) ||
           (Code >= 0x2066 && Code <= 0x2069) || Code == '<';
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
    for (std::size_t At = 0; At < Name.size(); ++At) {
        const RC::CharType Unit = Name[At];
        if (NeedsEscape(Unit) || IsUnpairedSurrogate(Name, At)) {
            AppendEscape(Out, "U+", Unit, 4);
        } else {
            Out += Unit;
        }
    }
    return Out;
}

std::string EscapedName(std::string_view Name) {
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

}  // namespace QVH

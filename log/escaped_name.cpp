#include "log/escaped_name.hpp"

#include "text/unicode.hpp"

namespace QVH {

RC::StringType EscapedName(RC::StringViewType Name) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    RC::StringType Out;
    Out.reserve(Name.size());
    for (std::size_t At = 0; At < Name.size(); ++At) {
        const RC::CharType Unit = Name[At];
        const bool Control = Unit < 0x20 || Unit == 0x7F;
        if (!Control && !IsUnpairedSurrogate(Name, At)) {
            Out += Unit;
            continue;
        }
        Out += STR('\\');
        if (Unit == '\n' || Unit == '\r' || Unit == '\t') {
            Out += Unit == '\n' ? STR('n') : Unit == '\r' ? STR('r') : STR('t');
            continue;
        }
        // "\x1B" for a control character, "\uD83D" for a surrogate.
        Out += Control ? STR('x') : STR('u');
        for (int Shift = Control ? 4 : 12; Shift >= 0; Shift -= 4) {
            Out += static_cast<RC::CharType>(Hex[(Unit >> Shift) & 0xF]);
        }
    }
    return Out;
}

}  // namespace QVH

#include "log/escaped_name.hpp"

#include "text/unicode.hpp"

namespace QVH {
namespace {

bool IsControl(RC::CharType Unit) { return Unit < 0x20 || Unit == 0x7F; }

bool NeedsEscape(RC::StringViewType Name, std::size_t At) {
    return IsControl(Name[At]) || IsUnpairedSurrogate(Name, At);
}

void AppendHex(RC::StringType& Out, unsigned Value, int Digits) {
    constexpr char HexDigits[] = "0123456789ABCDEF";
    for (int Shift = 4 * (Digits - 1); Shift >= 0; Shift -= 4) {
        Out += static_cast<RC::CharType>(HexDigits[(Value >> Shift) & 0xF]);
    }
}

void AppendEscape(RC::StringType& Out, RC::CharType Unit) {
    Out += STR('\\');
    switch (Unit) {
        case '\n':
            Out += STR('n');
            return;
        case '\r':
            Out += STR('r');
            return;
        case '\t':
            Out += STR('t');
            return;
        default:
            break;
    }
    const bool Control = IsControl(Unit);
    Out += Control ? STR('x') : STR('u');
    AppendHex(Out, Unit, Control ? 2 : 4);
}

}  // namespace

RC::StringType EscapedName(RC::StringViewType Name) {
    RC::StringType Out;
    Out.reserve(Name.size());
    for (std::size_t At = 0; At < Name.size(); ++At) {
        if (NeedsEscape(Name, At)) {
            AppendEscape(Out, Name[At]);
        } else {
            Out += Name[At];
        }
    }
    return Out;
}

}  // namespace QVH

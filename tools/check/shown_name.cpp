#include "tools/check/shown_name.hpp"

#include "log/escaped_name.hpp"
#include "text/to_utf8.hpp"

namespace QVH::Check {

// The escape leaves no half of a pair: plain ToUtf8 takes the escaped text.
std::string ShownName(RC::StringViewType Name) { return ToUtf8(EscapedName(Name)); }

std::string ShownName(std::string_view Name) { return EscapedName(Name); }

std::string Quoted(std::string_view Shown) {
    // Appended piece by piece: at -O3 GCC 12 warns wrongly (-Wrestrict) about "literal" + string.
    std::string Text = "\"";
    Text += Shown;
    Text += '"';
    return Text;
}

}  // namespace QVH::Check

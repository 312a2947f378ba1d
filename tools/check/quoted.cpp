#include "tools/check/quoted.hpp"

namespace QVH::Check {

std::string Quoted(std::string_view Escaped) {
    // Appended piece by piece: at -O3 GCC 12 warns wrongly (-Wrestrict) about "literal" + string.
    std::string Text = "\"";
    Text += Escaped;
    Text += '"';
    return Text;
}

}  // namespace QVH::Check

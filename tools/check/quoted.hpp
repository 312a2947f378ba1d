#pragma once

// How the tools quote a name, or any text, in their messages: the one way, for the check and for
// qvh-host alike. The name itself is shown as the mod's log lines show it (EscapedNameUtf8).

#include <string>
#include <string_view>

namespace QVH::Check {

// Escaped text between double quotes, as a message quotes a name or a line.
std::string Quoted(std::string_view Escaped);

}  // namespace QVH::Check

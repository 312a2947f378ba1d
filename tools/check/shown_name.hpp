#pragma once

// How the tools show a name, or any text they quote, in their messages: the one way, for the
// check and for qvh-host alike.

#include <string>
#include <string_view>

#include "File/Macros.hpp"

namespace QVH::Check {

// Name in UTF-8 on one line, escaped as the mod's log lines escape names (EscapedName): control
// characters, bidirectional controls and "<" as <U+000A>, and half of a surrogate pair as <U+D800>,
// so that no two names look alike. Any thread.
std::string ShownName(RC::StringViewType Name);

// The same for a name given as bytes (a POSIX file name, a command-line argument), taken as UTF-8:
// each byte that is no part of a well-formed sequence as <0xFF>.
std::string ShownName(std::string_view Name);

// Shown text between double quotes, as a message quotes a name or a line.
std::string Quoted(std::string_view Shown);

}  // namespace QVH::Check

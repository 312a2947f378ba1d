#pragma once

#include <string>
#include <string_view>

#include "File/Macros.hpp"

namespace QVH {

// Name as a log line quotes it: every character that could break the line, make it read
// differently or pass for another (C0 and C1 control characters, U+2028, U+2029, the characters
// Unicode marks Default_Ignorable_Code_Point, which are not shown and include the bidirectional
// controls, unpaired surrogates) written as "<U+000A>", with its code point in at least four
// upper-case hex digits (a pair's as one, "<U+E0001>"). "<" itself is written "<U+003C>", so every
// "<" in the result starts an escape and no two names give the same result. Names may still look
// alike: a decomposed letter ("e" and U+0301) and its composed twin, or look-alike letters of other
// scripts, show as they are. No name Windows can open holds "<", so those names show as they are,
// backslashes (Windows' separator) included. Throws std::bad_alloc when memory runs out. Any
// thread.
RC::StringType EscapedName(RC::StringViewType Name);

// The same escape in UTF-8, for the tools' messages, which show names as the log lines do. For a
// name given as bytes (a POSIX file name, a command-line argument), taken as UTF-8: the characters
// of its well-formed UTF-8 escaped as above, and each byte that is no part of a well-formed
// sequence written as "<0xFF>". Both overloads take a path's native() form on either platform.
std::string EscapedNameUtf8(RC::StringViewType Name);
std::string EscapedNameUtf8(std::string_view Name);

}  // namespace QVH

#pragma once

#include "File/Macros.hpp"

namespace QVH {

// Name as a log line quotes it: control characters (U+0000 to U+001F and U+007F) and unpaired
// surrogates written as escapes ("\n", "\t", "\r", "\x1B", "\uD83D"), so that a name always stays
// on its own line and can never pass for another line of the log. Everything else, backslashes
// included (Windows' separator), is kept as it is. Throws std::bad_alloc when memory runs out.
// Any thread.
RC::StringType EscapedName(RC::StringViewType Name);

}  // namespace QVH

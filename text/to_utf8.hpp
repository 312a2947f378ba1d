#pragma once

#include <string>

#include "File/Macros.hpp"

namespace QVH {

// UTF-8 bytes of engine text, which must be well-formed UTF-16 (IsWellFormedUtf16): every name is
// checked before it is converted. Should a half of a surrogate pair come all the same, it gives
// the three bytes of its own value, as every unit that is not part of a pair does. Keeps no
// state: any thread, any number at once.
std::string ToUtf8(RC::StringViewType Text);

// UTF-8 bytes of any engine text, for a tool that shows what the engine holds: as ToUtf8, but
// half of a surrogate pair on its own becomes U+FFFD, so the bytes are always well-formed UTF-8.
// Keeps no state: any thread.
std::string ToUtf8Lossy(RC::StringViewType Text);

// Appends the UTF-8 bytes of the character Code (at most U+10FFFF) to Out. A surrogate's value
// gives the three bytes of its bit pattern. Any thread.
void AppendUtf8(std::string& Out, char32_t Code);

}  // namespace QVH

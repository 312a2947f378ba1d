#pragma once

#include <string>

#include "File/Macros.hpp"

namespace QVH {

// UTF-8 bytes of engine text. A surrogate pair becomes its four-byte character; a low surrogate
// on its own becomes the three bytes of its own value, and a high surrogate as the last unit the
// first byte of the pair it began. Throws std::range_error("bad conversion") for a high surrogate
// followed by anything but a low surrogate. Keeps no state: any thread, any number at once.
std::string ToUtf8(RC::StringViewType Text);

// Appends the UTF-8 bytes of the character Code (at most U+10FFFF) to Out. A surrogate's value
// gives the three bytes of its bit pattern. Any thread.
void AppendUtf8(std::string& Out, char32_t Code);

}  // namespace QVH

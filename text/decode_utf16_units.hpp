#pragma once

#include <cstddef>

#include "File/Macros.hpp"

namespace QVH::detail {

// Decodes Size bytes of UTF-16 (no byte-order mark) at In into Out, which must hold (Size + 1) / 2
// units, and returns the number of units written. Unpaired surrogates and an odd trailing byte
// become U+FFFD; the units 0x000D and 0x000A are dropped after decoding. Stateless; any thread.
std::size_t DecodeUtf16Units(const unsigned char* In, std::size_t Size, bool BigEndian,
                             RC::CharType* Out);

}  // namespace QVH::detail

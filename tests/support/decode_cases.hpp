#pragma once

#include <span>
#include <string>

namespace QVH::Test {

// A row of the decoding tests' tables: bytes as stored, and the engine text they give.
struct DecodeCase {
    const char* What;
    std::string Bytes;
    std::u16string Expected;
};

// UTF-8 with no line break, no NUL and no byte-order mark at its start, so every way of decoding
// UTF-8 gives the same text of it: well-formed characters of each length, and each maximal
// subpart of ill-formed input as one U+FFFD.
std::span<const DecodeCase> Utf8Cases();

// Files with no NUL in their text: line breaks, byte-order marks and both UTF-16 byte orders, as
// a file's decoder, and so a read of the file, gives them.
std::span<const DecodeCase> FileCases();

}  // namespace QVH::Test

#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "File/Macros.hpp"

// Turning bytes from disk into engine text (UTF-16). Text is decoded, never widened byte by
// byte: ill-formed input becomes U+FFFD, one per maximal subpart, and nothing else is lost.
// Every function here is stateless; any thread, any number at once.
namespace QVH {

// Engine text in one allocation, NUL-terminated, made without the zero fill a string would need.
struct DecodedText {
    std::unique_ptr<RC::CharType[]> Units;
    std::size_t Size = 0;

    // The text followed by a NUL; never null.
    const RC::CharType* c_str() const noexcept;
    RC::StringViewType View() const noexcept { return {c_str(), Size}; }
};

// Decodes UTF-8 bytes, as found in file names and error messages, into engine text.
RC::StringType DecodeUtf8(std::string_view Bytes);

// Appends the decoded UTF-8 Bytes to Text, growing it geometrically.
void AppendUtf8(RC::StringType& Text, std::string_view Bytes);

// Decodes a whole animation file's content as the Blueprint side receives it. A UTF-16 LE or BE
// byte-order mark makes it UTF-16, whose CR and LF units are dropped after decoding; otherwise it
// is UTF-8, a leading UTF-8 byte-order mark is dropped, and bytes 13 and 10 are dropped before
// decoding. Throws std::bad_alloc when memory runs out.
DecodedText DecodeFileText(std::span<const char> Bytes);

// The longest engine string: its length field is a signed 32-bit count that includes the NUL.
constexpr std::uint64_t MaxEngineTextUnits = 0x7FFF'FFFE;

// The most bytes a file may hold for its text to surely fit an engine string, given its first
// bytes (up to three), which tell its encoding. Fewer bytes give a lower or equal limit, so an
// empty Head gives the lowest.
std::uint64_t MaxTextFileBytes(std::string_view Head);

}  // namespace QVH

#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// How a file's text is encoded, as its first bytes tell: a UTF-16 byte-order mark makes it UTF-16
// in that byte order; anything else is UTF-8, after a UTF-8 byte-order mark when there is one. The
// mark is no part of the text. Every reader of a file's text tells it here, so that none disagree.
// Stateless; any thread.
namespace QVH {

enum class TextEncoding { Utf8, Utf16Le, Utf16Be };

struct FileEncoding {
    TextEncoding Kind = TextEncoding::Utf8;
    std::size_t MarkBytes = 0;  // of the byte-order mark, which the text starts after

    bool IsUtf16() const { return Kind != TextEncoding::Utf8; }
    bool BigEndian() const { return Kind == TextEncoding::Utf16Be; }
};

// The most first bytes DetectEncoding looks at: the longest mark's.
inline constexpr std::size_t MaxMarkBytes = 3;

// The encoding that Head, the first bytes of a file (MaxMarkBytes of them, or all of a shorter
// file), tells. Fewer bytes than a UTF-8 mark's tell UTF-8 without one.
FileEncoding DetectEncoding(std::string_view Head);

// The most bytes a file in Encoding may hold for its text to surely fit in MaxUnits units of
// engine text. UTF-8 without a mark gives the lowest limit, so it is the limit for a file whose
// encoding is not known yet.
std::uint64_t MaxFileBytes(FileEncoding Encoding, std::uint64_t MaxUnits);

}  // namespace QVH

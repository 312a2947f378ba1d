#pragma once

#include <cstddef>
#include <optional>
#include <span>

#include "File/Macros.hpp"
#include "text/file_encoding.hpp"

// Turning an animation file's content into engine text (UTF-16), whole or piece by piece as it is
// read. Text is decoded, never widened byte by byte, in the encoding DetectEncoding tells: UTF-16,
// whose CR and LF units are dropped after decoding, or UTF-8, whose bytes 13 and 10 are dropped
// before decoding; the byte-order mark is dropped. Ill-formed input becomes U+FFFD, one per
// maximal subpart.
namespace QVH {

// Decodes a file piece by piece, with the same result however its bytes are cut into pieces: the
// encoding is told by the first bytes, and no character is split between pieces. A whole file is
// one piece, decoded with Last. One object is not for two threads at once.
class ContentDecoder {
public:
    // The most bytes Decode keeps back from one piece for the next: the start of a character, or
    // of the byte-order mark, that only later bytes complete.
    static constexpr std::size_t MaxKeptBytes = 3;

    // The most units Decode writes for a piece of Size bytes, kept bytes included, whatever the
    // encoding.
    static constexpr std::size_t MaxUnits(std::size_t Size) { return Size; }
    // The same for Piece, as Resume gave it, in the encoding the file's first bytes tell: UTF-16
    // takes two bytes a unit.
    std::size_t MaxUnits(std::span<const char> Piece) const noexcept;

    // Puts the bytes kept back from the last piece right before the Size bytes at Piece, where
    // MaxKeptBytes bytes of room must be, and returns the piece they make together.
    std::span<const char> Resume(char* Piece, std::size_t Size) noexcept;

    // How many bytes of Piece, as Resume gave it, come before the text's first NUL character: the
    // text ends there, as an engine string does, so what follows need not be decoded or even read.
    // Piece.size() when it holds none; a NUL that later bytes may still make is counted with them.
    // Far cheaper than decoding: a search for a zero byte, or for a zero unit of UTF-16.
    std::size_t BytesBeforeNul(std::span<const char> Piece) const noexcept;

    // Decodes Piece into Out, which must hold MaxUnits(Piece) units, and returns the
    // number of units written. Unless Last, the bytes that may begin a character that later bytes
    // complete are kept back for Resume; with Last, everything is decoded.
    std::size_t Decode(std::span<const char> Piece, bool Last, RC::CharType* Out) noexcept;

private:
    void Keep(std::span<const char> Bytes, bool SkipLineBreaks) noexcept;

    std::optional<FileEncoding> Encoding;  // once the first bytes have told it
    char Kept[MaxKeptBytes] = {};
    std::size_t KeptSize = 0;
};

}  // namespace QVH

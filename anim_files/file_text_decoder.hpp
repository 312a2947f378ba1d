#pragma once

#include <cstddef>
#include <span>

#include "File/Macros.hpp"

namespace QVH::detail {

// Decodes an animation file's bytes into engine text piece by piece, as they are read, with the
// result that DecodeFileText gives for all the bytes at once: the encoding is told by the first
// bytes, and no character is split between pieces. Not for two threads at once.
class FileTextDecoder {
public:
    // The most bytes Decode keeps back from one piece for the next: the start of a character, or
    // of the byte-order mark, that only later bytes complete.
    static constexpr std::size_t MaxKeptBytes = 3;

    // The most units Decode writes for a piece of Size bytes, kept bytes included.
    static constexpr std::size_t MaxUnits(std::size_t Size) { return Size; }

    // Puts the bytes kept back from the last piece right before the Size bytes at Piece, where
    // MaxKeptBytes bytes of room must be, and returns the piece they make together.
    std::span<const char> Resume(char* Piece, std::size_t Size) noexcept;

    // Decodes Piece into Out, which must hold MaxUnits(Piece.size()) units, and returns the
    // number of units written. Unless Last, the bytes that may begin a character that later bytes
    // complete are kept back for Resume; with Last, everything is decoded.
    std::size_t Decode(std::span<const char> Piece, bool Last, RC::CharType* Out) noexcept;

private:
    enum class Encoding { Unknown, Utf8, Utf16Le, Utf16Be };

    void Keep(std::span<const char> Bytes, bool DropLineBreaks) noexcept;

    Encoding Kind = Encoding::Unknown;
    char Kept[MaxKeptBytes] = {};
    std::size_t KeptSize = 0;
};

}  // namespace QVH::detail

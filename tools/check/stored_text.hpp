#pragma once

// An animation file as stored on disk, read character by character as the mod decodes it, each
// character with its place in the file: what the checks need to point at a line and column.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "text/file_encoding.hpp"
#include "tools/check/check_finding.hpp"

namespace QVH::Check {

struct StoredCharacter {
    char32_t Code = 0;       // U+FFFD where not WellFormed
    bool WellFormed = true;  // false: bytes (units) the mod replaces by U+FFFD
    bool LineBreak = false;  // CR or LF, which the mod drops
    std::size_t Offset = 0;  // of its first byte in the file
    std::size_t Length = 0;  // bytes, CR and LF passed over inside a UTF-8 sequence included
    TextPosition At;
};

class StoredText {
public:
    // Bytes: the file's bytes up to the end of its text at least; FileSize: how many it holds,
    // when known. The encoding is told as the mod tells it (DetectEncoding).
    StoredText(std::string Bytes, std::optional<std::uint64_t> FileSize);

    const std::string& Bytes() const { return Data; }
    std::optional<std::uint64_t> FileSize() const { return Size; }
    FileEncoding Encoding() const { return Kind; }
    bool IsUtf16() const { return Kind.IsUtf16(); }

    // Where the character at Index of the text the mod gives stands in the file (line breaks
    // do not count, being dropped); past the end of that text, where the text ends.
    TextPosition PositionOfCharacter(std::size_t Index) const;

    // The characters First to End of the text the mod gives (line breaks do not count), quoted
    // as PieceQuote quotes them and as the file holds them: a byte that is no part of a
    // character as <0xC3>, in UTF-16 a unit that is none as <U+D800>.
    std::string QuotedCharacters(std::size_t First, std::size_t End) const;

private:
    std::string Data;
    std::optional<std::uint64_t> Size;
    FileEncoding Kind;
};

// The characters of a StoredText, the byte-order mark left out, in order.
class StoredTextReader {
public:
    explicit StoredTextReader(const StoredText& Text);

    // The next character into Out; false at the end of the file.
    bool Next(StoredCharacter& Out);

    // The place of the character Next gives next, or of the end of the file.
    TextPosition Here() const { return Position; }

private:
    void Advance(char32_t Code);

    const StoredText& Text;
    std::size_t At = 0;
    TextPosition Position;
    bool AfterCarriageReturn = false;
};

}  // namespace QVH::Check

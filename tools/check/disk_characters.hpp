#pragma once

// A file's text as stored, character by character as the mod decodes it, each character with its
// place in the file: what the checks need to point at a line and column.

#include <cstddef>

#include "tools/check/check_finding.hpp"
#include "tools/check/disk_file.hpp"

namespace QVH::Check {

struct DiskCharacter {
    char32_t Code = 0;       // U+FFFD where not WellFormed
    bool WellFormed = true;  // false: bytes (units) the mod replaces by U+FFFD
    bool LineBreak = false;  // CR or LF, which the mod drops
    std::size_t Offset = 0;  // of its first byte in the file
    std::size_t Length = 0;  // bytes, CR and LF passed over inside a UTF-8 sequence included
    TextPosition At;
};

// The characters of a file's text, from after its byte-order mark to its end (TextEnd), in order.
class DiskCharacters {
public:
    explicit DiskCharacters(const DiskFile& File);

    // The next character into Out; false at the end of the text.
    bool Next(DiskCharacter& Out);

    // The place of the character Next gives next, or of the end of the text.
    TextPosition Here() const { return Position; }

private:
    void NextUtf8(DiskCharacter& Out);
    void NextUtf16(DiskCharacter& Out);
    void Advance(char32_t Code);

    const DiskFile& File;
    std::size_t At = 0;
    TextPosition Position;
    bool AfterCarriageReturn = false;
};

// Where the character at Index of the text the mod gives stands in the file (line breaks do not
// count, being dropped); past the end of that text, where the text ends.
TextPosition PositionOfCharacter(const DiskFile& File, std::size_t Index);

// The characters First to End of the text the mod gives (line breaks do not count), quoted as
// PieceQuote quotes them and as the file holds them: a byte that is no part of a character as
// <0xC3>, in UTF-16 a unit that is none as <U+D800>.
std::string QuotedCharacters(const DiskFile& File, std::size_t First, std::size_t End);

}  // namespace QVH::Check

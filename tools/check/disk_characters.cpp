#include "tools/check/disk_characters.hpp"

#include <cstdio>
#include <string_view>

#include "log/escaped_name.hpp"
#include "text/unicode.hpp"
#include "text/utf16_character.hpp"
#include "text/utf8_sequence.hpp"

namespace QVH::Check {
namespace {

const unsigned char* AsBytes(const std::string& Bytes) {
    return reinterpret_cast<const unsigned char*>(Bytes.data());
}

// A character as the file holds it, shown as names are.
std::string ShownCharacter(const DiskFile& File, const DiskCharacter& C) {
    const std::string_view Bytes = std::string_view(File.Bytes).substr(C.Offset, C.Length);
    if (!File.Encoding.IsUtf16()) {
        // The line breaks passed over inside a sequence are no part of its character.
        std::string Kept;
        for (const char Byte : Bytes) {
            if (!IsLineBreak(static_cast<unsigned char>(Byte))) {
                Kept += Byte;
            }
        }
        return EscapedNameUtf8(std::string_view(Kept));
    }
    if (Bytes.size() == 1) {
        // An odd last byte: half a unit, no character.
        char Escape[8];
        std::snprintf(Escape, sizeof(Escape), "<0x%02X>", static_cast<unsigned char>(Bytes[0]));
        return Escape;
    }
    RC::StringType Units;
    for (std::size_t At = 0; At + 1 < Bytes.size(); At += 2) {
        Units += static_cast<RC::CharType>(
            LoadUtf16Unit(AsBytes(File.Bytes) + C.Offset + At, File.Encoding.BigEndian()));
    }
    return EscapedNameUtf8(Units);
}

}  // namespace

DiskCharacters::DiskCharacters(const DiskFile& InFile)
    : File(InFile), At(InFile.Encoding.MarkBytes) {}

bool DiskCharacters::Next(DiskCharacter& Out) {
    if (At >= File.TextEnd()) {
        return false;
    }
    Out = DiskCharacter{};
    Out.Offset = At;
    Out.At = Position;
    if (File.Encoding.IsUtf16()) {
        NextUtf16(Out);
    } else {
        NextUtf8(Out);
    }
    At += Out.Length;
    return true;
}

void DiskCharacters::NextUtf8(DiskCharacter& Out) {
    const unsigned char* const First = AsBytes(File.Bytes) + At;
    const Utf8Sequence Sequence =
        ReadUtf8Sequence<true>(First, AsBytes(File.Bytes) + File.TextEnd());
    Out.Code = Sequence.Code;
    Out.WellFormed = Sequence.WellFormed;
    Out.LineBreak = IsLineBreak(Sequence.Code);
    Out.Length = static_cast<std::size_t>(Sequence.End - First);
    Advance(Sequence.Code);
    // The mod decodes a character across CR and LF between its bytes, but they still end lines in
    // the file, as an editor shows it; so do the trail bytes after them take a column each there,
    // and they part a CR from an LF after them.
    bool AfterBreak = false;
    for (std::size_t K = 1; K < Out.Length; ++K) {
        if (IsLineBreak(First[K])) {
            Advance(First[K]);
            AfterBreak = true;
        } else if (AfterBreak) {
            Advance(Replacement);
        }
    }
}

void DiskCharacters::NextUtf16(DiskCharacter& Out) {
    const unsigned char* const First = AsBytes(File.Bytes) + At;
    const std::size_t Left = File.TextEnd() - At;
    if (Left == 1) {
        // An odd last byte: half a unit.
        Out.Code = Replacement;
        Out.WellFormed = false;
        Out.Length = 1;
    } else {
        const bool BigEndian = File.Encoding.BigEndian();
        const Utf16Character Character = ReadUtf16Character(
            LoadUtf16Unit(First, BigEndian), Left >= 4 ? LoadUtf16Unit(First + 2, BigEndian) : 0);
        Out.Code = Character.WellFormed ? Character.Code : Replacement;
        Out.WellFormed = Character.WellFormed;
        Out.Length = 2 * Character.Units;
    }
    Out.LineBreak = IsLineBreak(Out.Code);
    Advance(Out.Code);
}

void DiskCharacters::Advance(char32_t Code) {
    // CR LF is one line break; a CR or an LF alone is one too.
    if (Code == U'\n' && AfterCarriageReturn) {
        AfterCarriageReturn = false;
        return;
    }
    AfterCarriageReturn = Code == U'\r';
    if (IsLineBreak(Code)) {
        ++Position.Line;
        Position.Column = 1;
    } else {
        ++Position.Column;
    }
}

TextPosition PositionOfCharacter(const DiskFile& File, std::size_t Index) {
    DiskCharacters Characters(File);
    DiskCharacter C;
    std::size_t Seen = 0;
    while (Characters.Next(C)) {
        if (C.LineBreak) {
            continue;
        }
        if (Seen == Index) {
            return C.At;
        }
        ++Seen;
    }
    return Characters.Here();
}

std::string QuotedCharacters(const DiskFile& File, std::size_t First, std::size_t End) {
    DiskCharacters Characters(File);
    DiskCharacter C;
    PieceQuote Quote(End - First);
    for (std::size_t Seen = 0; Seen < End && Characters.Next(C);) {
        if (C.LineBreak) {
            continue;
        }
        if (Seen >= First && Quote.Shows(Seen - First)) {
            Quote.Add(Seen - First, C.Code, ShownCharacter(File, C));
        }
        ++Seen;
    }
    return Quote.Quote();
}

}  // namespace QVH::Check

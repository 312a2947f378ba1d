#include "tools/check/stored_text.hpp"

#include <cstdio>
#include <string_view>

#include "log/escaped_name.hpp"
#include "text/to_utf8.hpp"
#include "text/unicode.hpp"
#include "text/utf16_character.hpp"
#include "text/utf8_sequence.hpp"

namespace QVH::Check {
namespace {

char16_t Utf16Unit(const std::string& Bytes, std::size_t At, bool BigEndian) {
    return LoadUtf16Unit(reinterpret_cast<const unsigned char*>(Bytes.data()) + At, BigEndian);
}

// A character as the file holds it, escaped as names are.
std::string Shown(const StoredText& Text, const StoredCharacter& C) {
    const std::string_view Bytes = std::string_view(Text.Bytes()).substr(C.Offset, C.Length);
    if (!Text.IsUtf16()) {
        // The line breaks passed over inside a sequence are no part of its character.
        std::string Kept;
        for (const char Byte : Bytes) {
            if (!IsLineBreak(static_cast<unsigned char>(Byte))) {
                Kept += Byte;
            }
        }
        return EscapedName(std::string_view(Kept));
    }
    if (Bytes.size() == 1) {
        // An odd last byte: half a unit, no character.
        char Escape[8];
        std::snprintf(Escape, sizeof(Escape), "<0x%02X>", static_cast<unsigned char>(Bytes[0]));
        return Escape;
    }
    RC::StringType Units;
    const bool BigEndian = Text.Encoding().BigEndian();
    for (std::size_t At = 0; At + 1 < Bytes.size(); At += 2) {
        Units += static_cast<RC::CharType>(Utf16Unit(Text.Bytes(), C.Offset + At, BigEndian));
    }
    return ToUtf8(EscapedName(Units));
}

}  // namespace

StoredText::StoredText(std::string Bytes, std::optional<std::uint64_t> FileSize)
    : Data(std::move(Bytes)), Size(FileSize), Kind(DetectEncoding(Data)) {}

TextPosition StoredText::PositionOfCharacter(std::size_t Index) const {
    StoredTextReader Reader(*this);
    StoredCharacter C;
    std::size_t Seen = 0;
    while (Reader.Next(C)) {
        if (C.LineBreak) {
            continue;
        }
        // The engine string ends at the first NUL; nothing after it reaches the text.
        if (Seen == Index || C.Code == 0) {
            return C.At;
        }
        ++Seen;
    }
    return Reader.Here();
}

std::string StoredText::QuotedCharacters(std::size_t First, std::size_t End) const {
    StoredTextReader Reader(*this);
    StoredCharacter C;
    PieceQuote Quote(End - First);
    for (std::size_t Seen = 0; Seen < End && Reader.Next(C);) {
        if (C.LineBreak) {
            continue;
        }
        if (Seen >= First && Quote.Shows(Seen - First)) {
            Quote.Add(Seen - First, Shown(*this, C));
        }
        ++Seen;
    }
    return Quote.Quote();
}

StoredTextReader::StoredTextReader(const StoredText& InText)
    : Text(InText), At(Text.Encoding().MarkBytes) {}

bool StoredTextReader::Next(StoredCharacter& Out) {
    const std::string& Bytes = Text.Bytes();
    if (At >= Bytes.size()) {
        return false;
    }
    Out = StoredCharacter{};
    Out.Offset = At;
    Out.At = Position;
    if (!Text.IsUtf16()) {
        const auto* const First = reinterpret_cast<const unsigned char*>(Bytes.data()) + At;
        const Utf8Sequence Sequence = ReadUtf8Sequence<true>(
            First, reinterpret_cast<const unsigned char*>(Bytes.data()) + Bytes.size());
        Out.Code = Sequence.Code;
        Out.WellFormed = Sequence.WellFormed;
        Out.LineBreak = IsLineBreak(Sequence.Code);
        Out.Length = static_cast<std::size_t>(Sequence.End - First);
        Advance(Sequence.Code);
        // The mod decodes a character across CR and LF between its bytes, but they still end
        // lines in the file, as an editor shows it; so do the trail bytes after them take a
        // column each there, and they part a CR from an LF after them.
        bool AfterBreak = false;
        for (std::size_t K = 1; K < Out.Length; ++K) {
            const auto Byte = static_cast<unsigned char>(Bytes[At + K]);
            if (IsLineBreak(Byte)) {
                Advance(Byte);
                AfterBreak = true;
            } else if (AfterBreak) {
                Advance(Replacement);
            }
        }
        At += Out.Length;
        return true;
    }
    const bool BigEndian = Text.Encoding().BigEndian();
    if (At + 1 == Bytes.size()) {
        // An odd last byte: half a unit.
        Out.Code = Replacement;
        Out.WellFormed = false;
        Out.Length = 1;
    } else {
        const Utf16Character Character =
            ReadUtf16Character(Utf16Unit(Bytes, At, BigEndian),
                               At + 3 < Bytes.size() ? Utf16Unit(Bytes, At + 2, BigEndian) : 0);
        Out.Code = Character.WellFormed ? Character.Code : Replacement;
        Out.WellFormed = Character.WellFormed;
        Out.Length = 2 * Character.Units;
    }
    Out.LineBreak = IsLineBreak(Out.Code);
    Advance(Out.Code);
    At += Out.Length;
    return true;
}

void StoredTextReader::Advance(char32_t Code) {
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

}  // namespace QVH::Check

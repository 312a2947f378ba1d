#include "tools/check/check_json.hpp"

#include <algorithm>
#include <optional>
#include <string>

#include "text/unicode.hpp"
#include "tools/check/disk_characters.hpp"
#include "tools/check/json_numbers.hpp"
#include "tools/check/json_syntax.hpp"

namespace QVH::Check {
namespace {

std::size_t CharactersBefore(std::string_view Text, std::size_t Byte) {
    return static_cast<std::size_t>(
        std::count_if(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(Byte),
                      [](char B) { return (static_cast<unsigned char>(B) & 0xC0) != 0x80; }));
}

}  // namespace

void CheckJsonLineBreaks(const DiskFile& Stored, EntryFindings& Out) {
    DiskCharacters Characters(Stored);
    DiskCharacter C;
    bool InString = false;
    bool Escaped = false;
    bool StringReported = false;
    char32_t Before = 0;  // the last character that reaches the text, outside strings
    std::optional<TextPosition> BreakAfterBefore;
    RepeatedWarning InStrings(Out, FindingId::JsonStringLineBreak,
                              "a line break inside a JSON string");
    RepeatedWarning Joined(Out, FindingId::JsonJoinedByLineBreak,
                           "a line break between two words or numbers");
    while (Characters.Next(C)) {
        if (C.LineBreak) {
            if (InString && !StringReported) {
                if (InStrings.Next()) {
                    InStrings.Report(": the mod removes it, so the string changes", C.At);
                }
                StringReported = true;
            } else if (!InString && !BreakAfterBefore) {
                BreakAfterBefore = C.At;
            }
            continue;
        }
        if (InString) {
            if (Escaped) {
                Escaped = false;
            } else if (C.Code == U'\\') {
                Escaped = true;
            } else if (C.Code == U'"') {
                InString = false;
                Before = C.Code;
            }
            continue;
        }
        if (BreakAfterBefore && IsJsonWordCharacter(Before) && IsJsonWordCharacter(C.Code) &&
            Joined.Next()) {
            Joined.Report(": the mod removes it, so they run together", BreakAfterBefore);
        }
        BreakAfterBefore.reset();
        Before = C.Code;
        if (C.Code == U'"') {
            InString = true;
            StringReported = false;
        }
    }
    InStrings.Finish();
    Joined.Finish();
}

void CheckJsonSyntax(std::string_view Text, const DiskFile& Stored, EntryFindings& Out) {
    const std::string_view JsonPrefix = "not JSON once its line breaks are removed: ";
    // The parser passes over a byte-order mark at the start, which most readers refuse; the mod
    // keeps one after the mark it drops.
    if (Text.starts_with(Utf8Bom)) {
        Out.Add(FindingId::JsonSyntax,
                std::string(JsonPrefix) +
                    "the text starts with U+FEFF, a second byte-order mark, which is no JSON",
                PositionOfCharacter(Stored, 0));
        return;
    }
    // The parser refuses a number no double holds, which the grammar allows: each is written as
    // a 0 of the same length for the parse, and warned of.
    const std::vector<ByteRange> Huge = NumbersPastDouble(Text);
    std::string Parsed;
    if (!Huge.empty()) {
        Parsed.assign(Text);
        for (const ByteRange& Number : Huge) {
            Parsed.replace(Number.Start, Number.End - Number.Start, Number.End - Number.Start, ' ');
            Parsed[Number.Start] = '0';
        }
    }
    // A quote shows what the file holds, which in a UTF-16 file or where bytes are no UTF-8 is not
    // the text's UTF-8.
    const std::optional<JsonSyntaxError> Error = FirstJsonSyntaxError(
        Huge.empty() ? Text : std::string_view(Parsed), [&](std::size_t Start, std::size_t End) {
            return QuotedCharacters(Stored, CharactersBefore(Text, Start),
                                    CharactersBefore(Text, End));
        });
    const std::size_t Byte = Error ? Error->Byte : Text.size();
    RepeatedWarning Numbers(Out, FindingId::JsonNumberTooLarge, "a number no double holds");
    for (const ByteRange& Number : Huge) {
        if (Number.Start < Byte && Numbers.Next()) {
            const std::size_t First = CharactersBefore(Text, Number.Start);
            Numbers.Report(", " +
                               QuotedCharacters(Stored, First, CharactersBefore(Text, Number.End)) +
                               ": JSON, but a reader may refuse it or take it for infinity",
                           PositionOfCharacter(Stored, First));
        }
    }
    Numbers.Finish();
    if (!Error) {
        return;
    }
    const bool AtNul = Stored.Nul && Byte == Text.size();
    Out.Add(FindingId::JsonSyntax,
            std::string(JsonPrefix) + Error->Reason + (AtNul ? " (the text ends at the NUL)" : ""),
            PositionOfCharacter(Stored, CharactersBefore(Text, Byte)));
}

}  // namespace QVH::Check

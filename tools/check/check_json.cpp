#include "tools/check/check_json.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "tools/check/utf8.hpp"

namespace QVH::HostTool {
namespace {

bool IsWordCharacter(char32_t Code) {
    return (Code >= U'0' && Code <= U'9') || (Code >= U'a' && Code <= U'z') ||
           (Code >= U'A' && Code <= U'Z') || Code == U'.' || Code == U'+' || Code == U'-';
}

// Where the JSON token that holds the byte at Index of Text starts, tokens told apart plainly:
// strings, runs of letters and digits, and single characters. The parser names the last byte it
// read, which for a token it did not expect may be that token's last.
std::size_t TokenStart(std::string_view Text, std::size_t Index) {
    for (std::size_t At = 0; At < Text.size();) {
        std::size_t End = At + 1;
        if (Text[At] == '"') {
            while (End < Text.size() && Text[End] != '"') {
                End += Text[End] == '\\' ? 2 : 1;
            }
            ++End;
        } else if (IsWordCharacter(static_cast<unsigned char>(Text[At]))) {
            while (End < Text.size() && IsWordCharacter(static_cast<unsigned char>(Text[End]))) {
                ++End;
            }
        }
        if (Index < End) {
            return At;
        }
        At = End;
    }
    return Index;
}

// Takes every event and keeps nothing but the first syntax error: a file is checked without
// building its document.
class SyntaxOnly : public nlohmann::json_sax<nlohmann::json> {
public:
    std::optional<std::size_t> ErrorByte;  // 1-based
    std::string Reason;

    bool null() override { return true; }
    bool boolean(bool) override { return true; }
    bool number_integer(number_integer_t) override { return true; }
    bool number_unsigned(number_unsigned_t) override { return true; }
    bool number_float(number_float_t, const string_t&) override { return true; }
    bool string(string_t&) override { return true; }
    bool binary(binary_t&) override { return true; }
    bool start_object(std::size_t) override { return true; }
    bool key(string_t&) override { return true; }
    bool end_object() override { return true; }
    bool start_array(std::size_t) override { return true; }
    bool end_array() override { return true; }

    bool parse_error(std::size_t Byte, const std::string&,
                     const nlohmann::detail::exception& Error) override {
        ErrorByte = Byte;
        // "[json.exception.parse_error.101] parse error at line 1, column 9: syntax error ...":
        // that place is in the one line the Blueprint gets, not in the file, so only the reason
        // is kept.
        const std::string_view What = Error.what();
        const std::size_t Column = What.find("column ");
        const std::size_t Colon = What.find(": ", Column == What.npos ? 0 : Column);
        Reason = ValidUtf8(Colon == What.npos ? What : What.substr(Colon + 2));
        return false;
    }
};

}  // namespace

void CheckJsonLineBreaks(const StoredText& Stored, EntryFindings& Out) {
    StoredTextReader Reader(Stored);
    StoredCharacter C;
    bool InString = false;
    bool Escaped = false;
    bool StringReported = false;
    char32_t Before = 0;  // the last character that reaches the text, outside strings
    std::optional<TextPosition> BreakAfterBefore;
    while (Reader.Next(C) && !(C.Code == 0 && C.WellFormed)) {
        if (C.LineBreak) {
            if (InString && !StringReported) {
                Out.Warning("json-string-line-break",
                            "a line break inside a JSON string: the mod removes it, so the "
                            "string changes",
                            C.At);
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
        if (BreakAfterBefore && IsWordCharacter(Before) && IsWordCharacter(C.Code)) {
            Out.Warning("json-joined-by-line-break",
                        "a line break between two words or numbers: the mod removes it, so "
                        "they run together",
                        BreakAfterBefore);
        }
        BreakAfterBefore.reset();
        Before = C.Code;
        if (C.Code == U'"') {
            InString = true;
            StringReported = false;
        }
    }
}

void CheckJsonSyntax(std::string_view Text, const StoredText& Stored, bool EndsAtNul,
                     EntryFindings& Out) {
    SyntaxOnly Events;
    if (nlohmann::json::sax_parse(Text, &Events) || !Events.ErrorByte) {
        return;
    }
    // The parser counts bytes of the UTF-8 it was given; the file's place counts characters. A
    // token the parser did not expect is pointed at where it starts; one the lexer could not
    // read ("last read: ...") where reading it failed.
    std::size_t Byte = std::min(std::max<std::size_t>(*Events.ErrorByte, 1) - 1, Text.size());
    if (Events.Reason.find("last read: ") == std::string::npos) {
        Byte = TokenStart(Text, Byte);
    }
    while (Byte > 0 && Byte < Text.size() &&
           (static_cast<unsigned char>(Text[Byte]) & 0xC0) == 0x80) {
        --Byte;  // the start of the character
    }
    const std::size_t Characters = static_cast<std::size_t>(
        std::count_if(Text.begin(), Text.begin() + static_cast<std::ptrdiff_t>(Byte),
                      [](char B) { return (static_cast<unsigned char>(B) & 0xC0) != 0x80; }));
    const bool AtNul = EndsAtNul && Byte == Text.size();
    Out.Error("json-syntax",
              "not JSON once its line breaks are removed: " + Events.Reason +
                  (AtNul ? " (the text ends at the NUL)" : ""),
              Stored.PositionOfCharacter(Characters));
}

}  // namespace QVH::HostTool

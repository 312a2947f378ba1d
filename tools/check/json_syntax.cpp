#include "tools/check/json_syntax.hpp"

#include <algorithm>
#include <nlohmann/json.hpp>

namespace QVH::Check {
namespace {

// A byte inside a UTF-8 character, after its first.
bool IsTrailByte(char Byte) { return (static_cast<unsigned char>(Byte) & 0xC0) == 0x80; }

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
        } else if (IsJsonWordCharacter(static_cast<unsigned char>(Text[At]))) {
            while (End < Text.size() &&
                   IsJsonWordCharacter(static_cast<unsigned char>(Text[End]))) {
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

// The parser's text for a syntax error, without the library's prefix and its place (which is in
// the one line the Blueprint gets, not in the file), and with the token it quotes given to Quote
// in whole characters of Text: a token may be a string of many megabytes, and the parser cuts one
// it cannot read inside a character. Token is the parser's own quote of the bytes before End,
// each control character in it written <U+0009>.
std::string ParserReason(std::string_view What, std::string_view Token, std::string_view Text,
                         std::size_t End, const QuoteOf& Quote) {
    const std::size_t Place = What.find(", column ");
    const std::size_t Colon = What.find(": ", Place == What.npos ? 0 : Place);
    if (Place != What.npos && Colon != What.npos) {
        What.remove_prefix(Colon + 2);
    } else if (What.starts_with("[json.exception.") && What.find("] ") != What.npos) {
        What.remove_prefix(What.find("] ") + 2);
    }
    constexpr std::string_view LastRead = "; last read: '";
    const std::size_t At = What.find(LastRead);
    const std::size_t After = At + LastRead.size() + Token.size();
    if (At == What.npos || What.substr(At + LastRead.size(), Token.size()) != Token ||
        After >= What.size() || What[After] != '\'') {
        return std::string(What);
    }
    // The token's own bytes: as many before End as make its quote, control characters taking
    // the eight of theirs.
    End = std::min(End, Text.size());
    std::size_t Start = End;
    for (std::size_t Quoted = 0; Start > 0 && Quoted < Token.size(); --Start) {
        Quoted += static_cast<unsigned char>(Text[Start - 1]) < 0x20 ? 8 : 1;
    }
    while (Start > 0 && Start < Text.size() && IsTrailByte(Text[Start])) {
        --Start;
    }
    while (End < Text.size() && IsTrailByte(Text[End])) {
        ++End;
    }
    return std::string(What.substr(0, At)) + "; last read: " + Quote(Start, End) +
           std::string(What.substr(After + 1));
}

// Takes every event and keeps nothing but the first syntax error: a file is checked without
// building its document.
class SyntaxOnly : public nlohmann::json_sax<nlohmann::json> {
public:
    SyntaxOnly(std::string_view InText, const QuoteOf& InQuote) : Text(InText), Quote(InQuote) {}

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

    bool parse_error(std::size_t Byte, const std::string& Token,
                     const nlohmann::detail::exception& Error) override {
        ErrorByte = Byte;
        Reason = ParserReason(Error.what(), Token, Text, Byte, Quote);
        return false;
    }

private:
    std::string_view Text;
    const QuoteOf& Quote;
};

}  // namespace

std::optional<JsonSyntaxError> FirstJsonSyntaxError(std::string_view Text, const QuoteOf& Quote) {
    SyntaxOnly Events(Text, Quote);
    if (nlohmann::json::sax_parse(Text, &Events) || !Events.ErrorByte) {
        return std::nullopt;
    }
    // The parser names the byte it read last, 1-based.
    std::size_t Byte = std::min(std::max<std::size_t>(*Events.ErrorByte, 1) - 1, Text.size());
    if (Events.Reason.find("last read: ") == std::string::npos) {
        Byte = TokenStart(Text, Byte);
    }
    while (Byte > 0 && Byte < Text.size() && IsTrailByte(Text[Byte])) {
        --Byte;  // the start of the character
    }
    return JsonSyntaxError{Byte, std::move(Events.Reason)};
}

}  // namespace QVH::Check

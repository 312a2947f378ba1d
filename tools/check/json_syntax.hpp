#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace QVH::Check {

// Letters, digits and the signs of numbers: what a JSON word (true, a number) is made of.
inline bool IsJsonWordCharacter(char32_t Code) {
    return (Code >= U'0' && Code <= U'9') || (Code >= U'a' && Code <= U'z') ||
           (Code >= U'A' && Code <= U'Z') || Code == U'.' || Code == U'+' || Code == U'-';
}

struct JsonSyntaxError {
    std::size_t Byte = 0;  // where it is, at the start of a character
    std::string Reason;    // the parser's words, a token it quotes as QuoteOf quotes it
};

// The quote of bytes Start to End of the text, both at the start of a character (or its end).
using QuoteOf = std::function<std::string(std::size_t Start, std::size_t End)>;

// The first syntax error of Text (UTF-8), as the parser finds it, or nothing when Text is JSON.
// A token the parser did not expect is pointed at where it starts; one it could not read where
// reading it failed. A token the parser quotes is quoted by Quote, in whole characters.
std::optional<JsonSyntaxError> FirstJsonSyntaxError(std::string_view Text, const QuoteOf& Quote);

}  // namespace QVH::Check

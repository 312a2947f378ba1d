#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace QVH::HostTool {

// Letters, digits and the signs of numbers: what a JSON word (true, a number) is made of.
inline bool IsJsonWordCharacter(char32_t Code) {
    return (Code >= U'0' && Code <= U'9') || (Code >= U'a' && Code <= U'z') ||
           (Code >= U'A' && Code <= U'Z') || Code == U'.' || Code == U'+' || Code == U'-';
}

struct JsonSyntaxError {
    std::size_t Byte = 0;  // where it is, at the start of a character
    std::string Reason;    // the parser's words, a token it quotes cut to a short piece
};

// The first syntax error of Text (UTF-8), as the parser finds it, or nothing when Text is JSON.
// A token the parser did not expect is pointed at where it starts; one it could not read where
// reading it failed.
std::optional<JsonSyntaxError> FirstJsonSyntaxError(std::string_view Text);

}  // namespace QVH::HostTool

#include "tools/check/json_numbers.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

namespace QVH::Check {
namespace {

// A number of no more characters than this and no exponent is below 1e308, which a double holds
// (the largest is about 1.8e308).
constexpr std::size_t SurelyInRange = 308;

bool IsDigit(char C) { return C >= '0' && C <= '9'; }

std::size_t Digits(std::string_view Text, std::size_t At) {
    while (At < Text.size() && IsDigit(Text[At])) {
        ++At;
    }
    return At;
}

// The end of the number JSON's grammar reads from Start (a '-' or a digit), or Start when the
// grammar fails inside it, which the parser reports itself.
std::size_t NumberEnd(std::string_view Text, std::size_t Start) {
    std::size_t At = Start + (Text[Start] == '-' ? 1 : 0);
    if (At < Text.size() && Text[At] == '0') {
        ++At;
    } else if (At < Text.size() && IsDigit(Text[At])) {
        At = Digits(Text, At);
    } else {
        return Start;
    }
    if (At < Text.size() && Text[At] == '.') {
        const std::size_t Fraction = Digits(Text, At + 1);
        if (Fraction == At + 1) {
            return Start;
        }
        At = Fraction;
    }
    if (At < Text.size() && (Text[At] == 'e' || Text[At] == 'E')) {
        std::size_t Exponent = At + 1;
        if (Exponent < Text.size() && (Text[Exponent] == '+' || Text[Exponent] == '-')) {
            ++Exponent;
        }
        const std::size_t End = Digits(Text, Exponent);
        if (End == Exponent) {
            return Start;
        }
        At = End;
    }
    return At;
}

}  // namespace

std::vector<ByteRange> NumbersPastDouble(std::string_view Text) {
    std::vector<ByteRange> Found;
    for (std::size_t At = 0; At < Text.size();) {
        if (Text[At] == '"') {
            for (++At; At < Text.size() && Text[At] != '"'; At += Text[At] == '\\' ? 2 : 1) {
            }
            ++At;
            continue;
        }
        if (Text[At] != '-' && !IsDigit(Text[At])) {
            ++At;
            continue;
        }
        const std::size_t End = NumberEnd(Text, At);
        const std::string_view Number = Text.substr(At, End - At);
        // What the parser makes of a number: strtod's value, which it refuses when infinite. Only a
        // long one, or one with an exponent, can be; the others need no conversion here.
        if (!Number.empty() &&
            (Number.find_first_of("eE") != Number.npos || Number.size() > SurelyInRange) &&
            std::isinf(std::strtod(std::string(Number).c_str(), nullptr))) {
            Found.push_back({At, End});
        }
        At = std::max(End, At + 1);
    }
    return Found;
}

}  // namespace QVH::Check

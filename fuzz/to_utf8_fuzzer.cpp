// ToUtf8 and ToUtf8Lossy against a reference encoder written from their contract, one code point
// at a time: the same bytes for every input, ill-formed ones included, and never an exception.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz/fuzz_support.hpp"
#include "text/to_utf8.hpp"

namespace {

bool IsHigh(char32_t Unit) { return Unit >= 0xD800 && Unit <= 0xDBFF; }
bool IsLow(char32_t Unit) { return Unit >= 0xDC00 && Unit <= 0xDFFF; }

// The UTF-8 bit layout of Code, for any value up to U+10FFFF (lone surrogates included).
std::string Encode(char32_t Code) {
    std::string Out;
    if (Code < 0x80) {
        Out += static_cast<char>(Code);
    } else if (Code < 0x800) {
        Out += static_cast<char>(0xC0 + Code / 64);
        Out += static_cast<char>(0x80 + Code % 64);
    } else if (Code < 0x10000) {
        Out += static_cast<char>(0xE0 + Code / 4096);
        Out += static_cast<char>(0x80 + Code / 64 % 64);
        Out += static_cast<char>(0x80 + Code % 64);
    } else {
        Out += static_cast<char>(0xF0 + Code / 262144);
        Out += static_cast<char>(0x80 + Code / 4096 % 64);
        Out += static_cast<char>(0x80 + Code / 64 % 64);
        Out += static_cast<char>(0x80 + Code % 64);
    }
    return Out;
}

// Each pair its character; every other unit the bytes of its own value, but a half of a pair on
// its own, which is U+FFFD when Lossy.
std::string Reference(std::u32string_view Units, bool Lossy) {
    std::string Out;
    for (std::size_t I = 0; I < Units.size(); ++I) {
        if (IsHigh(Units[I]) && I + 1 < Units.size() && IsLow(Units[I + 1])) {
            Out += Encode(0x10000 + (Units[I] - 0xD800) * 0x400 + (Units[I + 1] - 0xDC00));
            ++I;
        } else if (Lossy && (IsHigh(Units[I]) || IsLow(Units[I]))) {
            Out += Encode(0xFFFD);
        } else {
            Out += Encode(Units[I]);
        }
    }
    return Out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const RC::StringType Units = qvh_fuzz::UnitsOf(Data, Size);
    for (const bool Lossy : {false, true}) {
        const std::string Expected = Reference(std::u32string(Units.begin(), Units.end()), Lossy);
        const std::string Got = Lossy ? QVH::ToUtf8Lossy(Units) : QVH::ToUtf8(Units);
        if (Got != Expected) {
            qvh_fuzz::PrintUnits("input", Units);
            qvh_fuzz::PrintBytes("expected", Expected);
            qvh_fuzz::PrintBytes("got", Got);
            qvh_fuzz::Fail(Lossy ? "ToUtf8Lossy gives the reference's bytes"
                                 : "ToUtf8 gives the reference's bytes");
        }
    }
    return 0;
}

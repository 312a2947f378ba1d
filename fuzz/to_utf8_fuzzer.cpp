// ToUtf8 against a reference encoder written from its contract, one code point at a time: the
// same bytes for every input, and a failure exactly where the reference fails.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

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

// Nothing where ToUtf8 must fail: a high surrogate followed by anything but a low one. A high
// surrogate that ends the text gives the first byte of the character it began.
std::optional<std::string> Reference(std::u32string_view Units) {
    std::string Out;
    for (std::size_t I = 0; I < Units.size(); ++I) {
        if (!IsHigh(Units[I])) {
            Out += Encode(Units[I]);
            continue;
        }
        const char32_t Plane = 0x10000 + (Units[I] - 0xD800) * 0x400;
        if (I + 1 == Units.size()) {
            Out += Encode(Plane).substr(0, 1);
            break;
        }
        if (!IsLow(Units[I + 1])) {
            return std::nullopt;
        }
        Out += Encode(Plane + (Units[I + 1] - 0xDC00));
        ++I;
    }
    return Out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size) {
    const RC::StringType Units = qvh_fuzz::UnitsOf(Data, Size);
    const std::optional<std::string> Expected =
        Reference(std::u32string(Units.begin(), Units.end()));
    std::optional<std::string> Got;
    try {
        Got = QVH::ToUtf8(Units);
    } catch (const std::range_error& Error) {
        if (std::string_view(Error.what()) != "bad conversion") {
            qvh_fuzz::Fail("ToUtf8 fails with the text \"bad conversion\"");
        }
    }
    if (Got != Expected) {
        qvh_fuzz::PrintUnits("input", Units);
        for (const auto& [Label, Bytes] :
             {std::pair{"expected", Expected}, std::pair{"got", Got}}) {
            if (Bytes) {
                qvh_fuzz::PrintBytes(Label, *Bytes);
            } else {
                std::fprintf(stderr, "%s: bad conversion\n", Label);
            }
        }
        qvh_fuzz::Fail("ToUtf8 gives the reference's bytes and fails where it fails");
    }
    return 0;
}

#pragma once

// What the fuzz targets share: engine text made from the fuzzer's bytes, and a check that stops
// the run with the input's story when a property fails.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "File/Macros.hpp"

namespace qvh_fuzz {

// Two bytes a unit, little-endian; an odd last byte is left out. Every unit can come out, lone
// surrogates and NULs included.
inline RC::StringType UnitsOf(const std::uint8_t* Data, std::size_t Size) {
    RC::StringType Units(Size / 2, RC::CharType{});
    for (std::size_t I = 0; I < Units.size(); ++I) {
        Units[I] = static_cast<RC::CharType>(Data[2 * I] | Data[2 * I + 1] << 8);
    }
    return Units;
}

inline void PrintUnits(const char* Label, RC::StringViewType Units) {
    std::fprintf(stderr, "%s (%zu units):", Label, Units.size());
    for (const RC::CharType Unit : Units) {
        std::fprintf(stderr, " %04x", static_cast<unsigned>(Unit));
    }
    std::fprintf(stderr, "\n");
}

inline void PrintBytes(const char* Label, std::string_view Bytes) {
    std::fprintf(stderr, "%s (%zu bytes):", Label, Bytes.size());
    for (const char Byte : Bytes) {
        std::fprintf(stderr, " %02x", static_cast<unsigned>(static_cast<unsigned char>(Byte)));
    }
    std::fprintf(stderr, "\n");
}

// Ends the run as a crash, so the fuzzer keeps the input that broke the property.
[[noreturn]] inline void Fail(const char* Property) {
    std::fprintf(stderr, "property broken: %s\n", Property);
    std::abort();
}

}  // namespace qvh_fuzz

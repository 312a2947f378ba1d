#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

// Generated animation files: what the benchmarks read.
namespace QVH::Bench {

// Ascii: bone tracks in ASCII. NonAscii: the same, with about 5% of the bytes in names of other
// scripts. Symbols: short records with two-, three- and four-byte characters on every line.
enum class TextKind { Ascii, NonAscii, Symbols };

// One generated animation file, and what each way of reading it must give back.
struct AnimationInput {
    std::string Name;  // relative to the animation folder
    TextKind Kind = TextKind::Ascii;
    std::uint64_t Bytes = 0;
    std::uint64_t NonAsciiBytes = 0;  // bytes of multi-byte UTF-8 sequences
    std::uint64_t LineBreaks = 0;     // CR and LF bytes
    std::uint64_t DecodedUnits = 0;   // UTF-16 units of the text without line breaks

    // Units of the bytes without line breaks, widened one unit per byte.
    std::uint64_t WidenedUnits() const { return Bytes - LineBreaks; }
};

// Writes Bytes bytes of animation JSON with CR LF line ends to Path, streaming, so writing a large
// file takes little memory. Throws std::runtime_error when the file cannot be written.
AnimationInput WriteAnimationJson(const std::filesystem::path& Path, std::uint64_t Bytes,
                                  TextKind Kind);

const char* KindName(TextKind Kind);
// "4KiB", "256KiB", "4MiB", "32MiB" and so on.
std::string SizeName(std::uint64_t Bytes);

}  // namespace QVH::Bench

#include "bench/animation_json.hpp"

#include <array>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace QVH::Bench {
namespace {

constexpr std::array<std::string_view, 8> AsciiBones = {
    "pelvis", "spine_01", "spine_02", "neck_01", "upperarm_l", "lowerarm_r", "thigh_l", "foot_r"};
// Bone and event names as modders from elsewhere write them: two-, three- and four-byte UTF-8.
constexpr std::array<std::string_view, 6> NonAsciiBones = {
    "Kn\xC3\xB6"
    "chel_links",                                  // Knöchel_links
    "\xC3\x89paule_gauche",                        // Épaule_gauche
    "\xE9\xAA\xA8\xE7\x9B\xA4",                    // 骨盤
    "\xD0\x9F\xD0\xBB\xD0\xB5\xD1\x87\xD0\xBE_L",  // Плечо_L
    "\xE8\xB6\xB3\xE8\xB7\xA1\xF0\x9F\x91\xA3",    // 足跡👣
    "\xE5\xB7\xA6\xE8\x85\x95",                    // 左腕
};

// The bytes written so far and what they count as.
class Writer {
public:
    Writer(const std::filesystem::path& Path, TextKind Kind) : Out(Path, std::ios::binary) {
        Stats.Kind = Kind;
        if (!Out) {
            throw std::runtime_error("cannot write " + Path.string());
        }
        Pending.reserve(BlockSize);
    }

    void Append(std::string_view Text) {
        for (const char C : Text) {
            const auto Byte = static_cast<unsigned char>(C);
            Stats.LineBreaks += Byte == '\r' || Byte == '\n';
            Stats.NonAsciiBytes += Byte >= 0x80;
            // One unit per sequence, two for a four-byte one; line breaks give none.
            Stats.DecodedUnits += (Byte & 0xC0) != 0x80 && Byte != '\r' && Byte != '\n';
            Stats.DecodedUnits += Byte >= 0xF0;
        }
        Stats.Bytes += Text.size();
        Pending += Text;
        if (Pending.size() >= BlockSize) {
            Flush();
        }
    }

    AnimationInput Finish() {
        Flush();
        Out.close();
        if (!Out) {
            throw std::runtime_error("cannot finish writing an animation file");
        }
        return Stats;
    }

    const AnimationInput& Counts() const { return Stats; }

private:
    static constexpr std::size_t BlockSize = 64 << 10;

    void Flush() {
        Out.write(Pending.data(), static_cast<std::streamsize>(Pending.size()));
        Pending.clear();
        if (!Out) {
            throw std::runtime_error("cannot write an animation file");
        }
    }

    std::ofstream Out;
    std::string Pending;
    AnimationInput Stats;
};

// A small deterministic generator, so every run reads the same files.
class Numbers {
public:
    double Next(double Low, double High) {
        State = State * 6364136223846793005ULL + 1442695040888963407ULL;
        const double Unit = static_cast<double>(State >> 11) / static_cast<double>(1ULL << 53);
        return Low + (High - Low) * Unit;
    }

private:
    std::uint64_t State = 0x51A7E5EEDULL;
};

std::string TrackLine(int Frame, std::string_view Bone, Numbers& Random) {
    char Line[256];
    const int Length = std::snprintf(
        Line, sizeof Line,
        "    {\"Bone\": \"%.*s\", \"Time\": %.4f, \"Rotation\": [%.4f, %.4f, %.4f, %.4f], "
        "\"Location\": [%.2f, %.2f, %.2f]},\r\n",
        static_cast<int>(Bone.size()), Bone.data(), Frame / 30.0, Random.Next(-1, 1),
        Random.Next(-1, 1), Random.Next(-1, 1), Random.Next(-1, 1), Random.Next(-50, 50),
        Random.Next(-50, 50), Random.Next(0, 180));
    return std::string(Line, static_cast<std::size_t>(Length));
}

// A short record whose text is a third multi-byte characters, between numbers that change.
std::string SymbolLine(int Line) {
    char Text[128];
    const int Length = std::snprintf(Text, sizeof Text,
                                     "{\"os\":\"R\xC3\xA9v\xC3\xA9rence_%d\",\"t\":%d,"
                                     "\"sym\":\"\xE2\x82\xAC\xE2\x86\x92\xF0\x9F\x98\x80\"},\r\n",
                                     Line % 10, Line * 33);
    return std::string(Text, static_cast<std::size_t>(Length));
}

// The next line of a file of Kind, with Sofar written before it.
std::string NextLine(TextKind Kind, int Line, const AnimationInput& Sofar, Numbers& Random) {
    if (Kind == TextKind::Symbols) {
        return SymbolLine(Line);
    }
    // Non-ASCII names go where they keep the share of non-ASCII bytes near 5%.
    const bool Foreign = Kind == TextKind::NonAscii && Sofar.NonAsciiBytes * 20 < Sofar.Bytes;
    const std::string_view Bone =
        Foreign ? NonAsciiBones[Line % NonAsciiBones.size()] : AsciiBones[Line % AsciiBones.size()];
    return TrackLine(Line / 8, Bone, Random);
}

}  // namespace

AnimationInput WriteAnimationJson(const std::filesystem::path& Path, std::uint64_t Bytes,
                                  TextKind Kind) {
    constexpr std::string_view Header =
        "{\r\n  \"Name\": \"Locomotion_Walk_Forward\",\r\n  \"FrameRate\": 30,\r\n  "
        "\"Tracks\": [\r\n";
    constexpr std::string_view Footer = "  ]\r\n}\r\n";
    if (Bytes < Header.size() + Footer.size()) {
        throw std::invalid_argument("an animation file needs at least its header and footer");
    }
    Writer Out(Path, Kind);
    Numbers Random;
    Out.Append(Header);
    for (int Line = 0;; ++Line) {
        const AnimationInput& Sofar = Out.Counts();
        const std::string Text = NextLine(Kind, Line, Sofar, Random);
        if (Sofar.Bytes + Text.size() + Footer.size() > Bytes) {
            break;
        }
        Out.Append(Text);
    }
    // Spaces before the footer bring the file to its exact length.
    Out.Append(std::string(Bytes - Out.Counts().Bytes - Footer.size(), ' '));
    Out.Append(Footer);
    return Out.Finish();
}

const char* KindName(TextKind Kind) {
    switch (Kind) {
        case TextKind::Ascii:
            return "ascii";
        case TextKind::NonAscii:
            return "nonascii5";
        case TextKind::Symbols:
            break;
    }
    return "symbols";
}

std::string SizeName(std::uint64_t Bytes) {
    if (Bytes >= (1 << 20) && Bytes % (1 << 20) == 0) {
        return std::to_string(Bytes >> 20) + "MiB";
    }
    if (Bytes >= (1 << 10) && Bytes % (1 << 10) == 0) {
        return std::to_string(Bytes >> 10) + "KiB";
    }
    return std::to_string(Bytes) + "B";
}

}  // namespace QVH::Bench

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

// The inputs the benchmarks read: throw-away game folders whose animation folders hold generated
// animation JSON (CR LF line ends) or many entries to list. Made on the disk at run time and
// removed when the program ends.
namespace qvh_bench {

enum class TextKind { Ascii, NonAscii };

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
// file takes little memory. NonAscii puts multi-byte UTF-8 text (bone and event names) in about 5%
// of the bytes. Throws std::runtime_error when the file cannot be written.
AnimationInput WriteAnimationJson(const std::filesystem::path& Path, std::uint64_t Bytes,
                                  TextKind Kind);

class BenchGame;

// A game whose animation folder holds Entries entries, and the length of their listing.
struct ListingInput {
    const BenchGame* Game = nullptr;
    int Entries = 0;
    std::uint64_t Units = 0;
};

// A game laid out as a real one below a temporary folder: its working folder is Binaries/Win64,
// so the mod's "../../Content/Paks/~Mods/AnimJSON" lands in AnimFolder().
class BenchGame {
public:
    explicit BenchGame(const std::filesystem::path& Root);

    std::filesystem::path AnimFolder() const;
    // Makes this game's working folder the process's.
    void Enter() const;

    AnimationInput AddAnimation(std::uint64_t Bytes, TextKind Kind) const;
    // Adds Count empty files with names like those of an animation set; returns the length of
    // their listing, "|" between names included.
    std::uint64_t AddEntries(int Count) const;

private:
    std::filesystem::path RootPath;
};

// The inputs of one run, all below one temporary folder that goes with the object: the
// animation files in one game, and one game per listing size.
class BenchInputs {
public:
    BenchInputs();
    ~BenchInputs();
    BenchInputs(const BenchInputs&) = delete;
    BenchInputs& operator=(const BenchInputs&) = delete;

    // The game whose animation folder holds the animation files.
    const BenchGame& Files();
    // The animation file of that size and kind in Files(), written on first use.
    const AnimationInput& Animation(TextKind Kind, std::uint64_t Bytes);
    // A game whose animation folder holds Entries entries, made on first use.
    const ListingInput& Listing(int Entries);

private:
    const BenchGame& Game(const std::string& Name);

    std::filesystem::path RootPath;
    std::filesystem::path PreviousDirectory;
    // Node-based, so references handed out stay valid.
    std::map<std::string, BenchGame> Games;
    std::map<std::string, AnimationInput> Animations;
    std::map<int, ListingInput> Listings;
};

// The one set of inputs of this process, made on first use and removed when the process ends.
BenchInputs& Inputs();

constexpr std::uint64_t AnimationSizes[] = {4 << 10, 256 << 10, 4 << 20, 32 << 20};
constexpr TextKind AnimationKinds[] = {TextKind::Ascii, TextKind::NonAscii};
constexpr int ListingSizes[] = {100, 1000, 10000};

const char* KindName(TextKind Kind);
// "4KiB", "256KiB", "4MiB", "32MiB" and so on.
std::string SizeName(std::uint64_t Bytes);

}  // namespace qvh_bench

#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "bench/animation_json.hpp"

// The inputs the benchmarks read: throw-away game folders whose animation folders hold generated
// animation JSON (CR LF line ends) or many entries to list. Made on the disk at run time and
// removed when the program ends.
namespace QVH::Bench {

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
constexpr TextKind AnimationKinds[] = {TextKind::Ascii, TextKind::NonAscii, TextKind::Symbols};
constexpr int ListingSizes[] = {100, 1000, 10000};

}  // namespace QVH::Bench

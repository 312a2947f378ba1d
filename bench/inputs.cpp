#include "bench/inputs.hpp"

#include <unistd.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <string_view>

namespace QVH::Bench {

BenchGame::BenchGame(const std::filesystem::path& Root) : RootPath(Root) {
    std::filesystem::create_directories(RootPath / "Binaries" / "Win64");
    std::filesystem::create_directories(AnimFolder());
}

std::filesystem::path BenchGame::AnimFolder() const {
    return RootPath / "Content" / "Paks" / "~Mods" / "AnimJSON";
}

void BenchGame::Enter() const { std::filesystem::current_path(RootPath / "Binaries" / "Win64"); }

AnimationInput BenchGame::AddAnimation(std::uint64_t Bytes, TextKind Kind) const {
    const std::string Name =
        std::string("Walk_") + KindName(Kind) + "_" + SizeName(Bytes) + ".json";
    AnimationInput Input = WriteAnimationJson(AnimFolder() / Name, Bytes, Kind);
    Input.Name = Name;
    return Input;
}

std::uint64_t BenchGame::AddEntries(int Count) const {
    constexpr std::array<std::string_view, 4> Sets = {"Locomotion_Walk", "Combat_Sword_Slash",
                                                      "Emote_Wave", "Idle_Breathing"};
    std::uint64_t Units = 0;
    for (int I = 0; I < Count; ++I) {
        char Name[64];
        const int Length =
            std::snprintf(Name, sizeof Name, "%s_%05d.json", Sets[I % Sets.size()].data(), I);
        std::ofstream(AnimFolder() / Name, std::ios::binary);
        Units += static_cast<std::uint64_t>(Length) + (I > 0);
    }
    return Units;
}

BenchInputs::BenchInputs()
    : RootPath(std::filesystem::temp_directory_path() /
               ("qvh-bench-" + std::to_string(::getpid()))),
      PreviousDirectory(std::filesystem::current_path()) {
    std::filesystem::create_directories(RootPath);
}

BenchInputs::~BenchInputs() {
    std::error_code Ignored;
    std::filesystem::current_path(PreviousDirectory, Ignored);
    std::filesystem::remove_all(RootPath, Ignored);
}

const BenchGame& BenchInputs::Game(const std::string& Name) {
    if (const auto It = Games.find(Name); It != Games.end()) {
        return It->second;
    }
    return Games.emplace(Name, BenchGame(RootPath / Name)).first->second;
}

const BenchGame& BenchInputs::Files() { return Game("files"); }

const AnimationInput& BenchInputs::Animation(TextKind Kind, std::uint64_t Bytes) {
    const std::string Key = std::string(KindName(Kind)) + "/" + SizeName(Bytes);
    if (const auto It = Animations.find(Key); It != Animations.end()) {
        return It->second;
    }
    return Animations.emplace(Key, Files().AddAnimation(Bytes, Kind)).first->second;
}

const ListingInput& BenchInputs::Listing(int Entries) {
    if (const auto It = Listings.find(Entries); It != Listings.end()) {
        return It->second;
    }
    const BenchGame& Listed = Game("list" + std::to_string(Entries));
    const std::uint64_t Units = Listed.AddEntries(Entries);
    return Listings.emplace(Entries, ListingInput{&Listed, Entries, Units}).first->second;
}

BenchInputs& Inputs() {
    static BenchInputs Instance;
    return Instance;
}

}  // namespace QVH::Bench

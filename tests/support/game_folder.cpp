#include "tests/support/game_folder.hpp"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

namespace QVH::Test {
namespace {

std::filesystem::path UniqueRoot() {
    static std::atomic<int> Counter{0};
    const auto Stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    return std::filesystem::temp_directory_path() /
           ("qvh-game-" + std::to_string(Stamp) + "-" + std::to_string(Counter++));
}

}  // namespace

GameFolder::GameFolder() : RootPath(UniqueRoot()) {
    std::filesystem::create_directories(RootPath / "Binaries" / "Win64");
    std::filesystem::create_directories(AnimFolder());
    PreviousDirectory = std::filesystem::current_path();
    std::filesystem::current_path(RootPath / "Binaries" / "Win64");
}

GameFolder::~GameFolder() {
    std::error_code Ignored;
    std::filesystem::current_path(PreviousDirectory, Ignored);
    std::filesystem::remove_all(RootPath, Ignored);
}

std::filesystem::path GameFolder::AnimFolder() const {
    return RootPath / "Content" / "Paks" / "~Mods" / "AnimJSON";
}

std::filesystem::path GameFolder::WriteFile(std::u8string_view Name, std::string_view Bytes) const {
    const std::filesystem::path Path = AnimFolder() / std::filesystem::path(Name);
    std::filesystem::create_directories(Path.parent_path());
    std::ofstream Out(Path, std::ios::binary | std::ios::trunc);
    Out.write(Bytes.data(), static_cast<std::streamsize>(Bytes.size()));
    if (!Out) {
        throw std::runtime_error("cannot write " + Path.string());
    }
    return Path;
}

std::filesystem::path GameFolder::WriteFile(std::string_view Name, std::string_view Bytes) const {
    return WriteFile(std::u8string_view(reinterpret_cast<const char8_t*>(Name.data()), Name.size()),
                     Bytes);
}

void GameFolder::RemoveAnimFolder() const { std::filesystem::remove_all(AnimFolder()); }

}  // namespace QVH::Test

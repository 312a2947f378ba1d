#include "tests/support/game_folder.hpp"

#include <atomic>
#include <chrono>
#include <fstream>
#include <stdexcept>
#include <string>

#if !defined(_WIN32)
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

#if !defined(_WIN32)
void GameFolder::WriteDeepFile(const std::string& Name, int Levels,
                               const std::string& FileName) const {
    int Folder = ::open(AnimFolder().c_str(), O_RDONLY | O_DIRECTORY);
    for (int Level = 0; Folder >= 0 && Level < Levels; ++Level) {
        const int Inner = ::mkdirat(Folder, Name.c_str(), 0700) == 0
                              ? ::openat(Folder, Name.c_str(), O_RDONLY | O_DIRECTORY)
                              : -1;
        ::close(Folder);
        Folder = Inner;
    }
    const int File = Folder < 0 ? -1 : ::openat(Folder, FileName.c_str(), O_WRONLY | O_CREAT, 0600);
    ::close(Folder);
    if (File < 0) {
        throw std::runtime_error("cannot make the deep file " + FileName);
    }
    ::close(File);
}
#endif

}  // namespace QVH::Test

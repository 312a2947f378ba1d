#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace QVH::Test {

// A throw-away game laid out as a real one: the working directory is <root>/Binaries/Win64, so
// the mod's relative animation folder "../../Content/Paks/~Mods/AnimJSON" lands in
// AnimFolder(). Changes the process's working directory for its lifetime; not for use by two
// threads at once.
class GameFolder {
public:
    GameFolder();
    ~GameFolder();
    GameFolder(const GameFolder&) = delete;
    GameFolder& operator=(const GameFolder&) = delete;

    const std::filesystem::path& Root() const { return RootPath; }
    std::filesystem::path AnimFolder() const;

    // Writes Bytes to the file Name (UTF-8, may hold sub-folders) below the animation folder,
    // creating folders on the way; returns its path.
    std::filesystem::path WriteFile(std::u8string_view Name, std::string_view Bytes) const;
    std::filesystem::path WriteFile(std::string_view Name, std::string_view Bytes) const;

    void RemoveAnimFolder() const;

#if !defined(_WIN32)
    // Makes Levels folders named Name below the animation folder, each in the one before, and
    // the empty file FileName in the deepest: one level at a time from each folder's descriptor,
    // so that it works where no path to the deepest folder fits.
    void WriteDeepFile(const std::string& Name, int Levels, const std::string& FileName) const;
#endif

private:
    std::filesystem::path RootPath;
    std::filesystem::path PreviousDirectory;
};

}  // namespace QVH::Test

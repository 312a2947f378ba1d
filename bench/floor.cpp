#include "bench/floor.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "engine/host_generations.hpp"

namespace QVH::Bench {

RC::Unreal::FString FloorReadAnimationFile(RC::Unreal::FString Name) {
    constexpr char Prefix[] = "../../Content/Paks/~Mods/AnimJSON/";
    char Path[4096];
    std::size_t Length = sizeof Prefix - 1;
    std::memcpy(Path, Prefix, Length);
    for (const RC::CharType* Unit = QVH::CharsOf(Name); *Unit != 0 && Length + 1 < sizeof Path;
         ++Unit) {
        Path[Length++] = static_cast<char>(*Unit);
    }
    Path[Length] = 0;

    const int File = ::open(Path, O_RDONLY | O_CLOEXEC);
    if (File < 0) {
        return {};
    }
    struct stat Info {};
    ::fstat(File, &Info);
    const auto Size = static_cast<std::size_t>(Info.st_size);
    const std::unique_ptr<unsigned char[]> Bytes(new unsigned char[Size]);
    const ssize_t Got = ::read(File, Bytes.get(), Size);
    ::close(File);
    const std::size_t Read = Got > 0 ? static_cast<std::size_t>(Got) : 0;

    const std::unique_ptr<RC::CharType[]> Units(new RC::CharType[Read + 1]);
    for (std::size_t I = 0; I < Read; ++I) {
        Units[I] = Bytes[I];
    }
    Units[Read] = 0;
    // Through the copying constructor: a non-const pointer would hand the buffer to the engine.
    return RC::Unreal::FString(static_cast<const RC::CharType*>(Units.get()));
}

RC::Unreal::FString FloorListAnimationFiles() {
    DIR* const Folder = ::opendir("../../Content/Paks/~Mods/AnimJSON");
    if (Folder == nullptr) {
        return {};
    }
    RC::StringType Listing;
    Listing.reserve(std::size_t{1} << 19);
    while (const dirent* Entry = ::readdir(Folder)) {
        const char* Name = Entry->d_name;
        if (Name[0] == '.' && (Name[1] == 0 || (Name[1] == '.' && Name[2] == 0))) {
            continue;
        }
        if (!Listing.empty()) {
            Listing += '|';
        }
        for (; *Name != 0; ++Name) {
            Listing += static_cast<unsigned char>(*Name);
        }
    }
    ::closedir(Folder);
    return RC::Unreal::FString(Listing.c_str());
}

}  // namespace QVH::Bench

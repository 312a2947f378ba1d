#include "bench/floor.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>

#include "engine/engine_text.hpp"
#include "engine/host_generations.hpp"

namespace QVH::Bench {

void FloorReadAnimationFile(CommsCallBlock& Block) {
    RC::Unreal::FString& Payload = Block.Payload();
    constexpr char Prefix[] = "../../Content/Paks/~Mods/AnimJSON/";
    char Path[4096];
    std::size_t Length = sizeof Prefix - 1;
    std::memcpy(Path, Prefix, Length);
    for (const RC::CharType* Unit = QVH::CharsOf(Payload); *Unit != 0 && Length + 1 < sizeof Path;
         ++Unit) {
        Path[Length++] = static_cast<char>(*Unit);
    }
    Path[Length] = 0;

    auto& Units = QVH::CharArrayOf(Payload);
    const int File = ::open(Path, O_RDONLY | O_CLOEXEC);
    if (File < 0) {
        Units.Empty();
        return;
    }
    struct stat Info {};
    ::fstat(File, &Info);
    const auto Size = static_cast<std::size_t>(Info.st_size);
    const std::unique_ptr<unsigned char[]> Bytes(new unsigned char[Size]);
    const ssize_t Got = ::read(File, Bytes.get(), Size);
    ::close(File);
    const std::size_t Read = Got > 0 ? static_cast<std::size_t>(Got) : 0;

    Units.Reset(static_cast<int>(Read + 1));
    RC::CharType* const Out = Units.GetData() + Units.AddUninitialized(static_cast<int>(Read + 1));
    for (std::size_t I = 0; I < Read; ++I) {
        Out[I] = Bytes[I];
    }
    Out[Read] = 0;
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

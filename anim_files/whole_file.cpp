#include "anim_files/whole_file.hpp"

#include <algorithm>
#include <cstring>

#include "anim_files/input_file.hpp"

namespace QVH::detail {
namespace {

constexpr std::size_t HeadSize = 3;
// Small enough to live on the stack, large enough that a small file of unknown length needs no
// buffer growth.
constexpr std::size_t ProbeSize = 4096;

WholeFile Failed(WholeFileStatus Status) { return WholeFile{Status, nullptr, 0}; }

// Reads until Count bytes are in or the file ends; the number read, or -1 on a read error.
std::int64_t ReadUpTo(InputFile& File, char* Buffer, std::size_t Count) {
    std::size_t Done = 0;
    while (Done < Count) {
        const std::int64_t Got = File.Read(Buffer + Done, Count - Done);
        if (Got < 0) {
            return -1;
        }
        if (Got == 0) {
            break;
        }
        Done += static_cast<std::size_t>(Got);
    }
    return static_cast<std::int64_t>(Done);
}

// Moves the Size bytes of Bytes into a new buffer of Capacity bytes.
void Grow(std::unique_ptr<char[]>& Bytes, std::size_t Size, std::size_t Capacity) {
    std::unique_ptr<char[]> Larger(new char[Capacity]);
    if (Size > 0) {
        std::memcpy(Larger.get(), Bytes.get(), Size);
    }
    Bytes = std::move(Larger);
}

}  // namespace

WholeFile ReadWholeFile(const std::filesystem::path& Path, MaxBytesForHead MaxBytes) {
    InputFile File(Path);
    switch (File.Status()) {
        case InputFile::OpenStatus::Opened:
            break;
        case InputFile::OpenStatus::Missing:
            return Failed(WholeFileStatus::Missing);
        case InputFile::OpenStatus::Folder:
            return Failed(WholeFileStatus::Folder);
        case InputFile::OpenStatus::Device:
            return Failed(WholeFileStatus::Device);
        case InputFile::OpenStatus::Failed:
            return Failed(WholeFileStatus::OpenFailed);
    }

    const std::uint64_t Expected = File.Size().value_or(0);
    std::uint64_t Limit = MaxBytes({});
    char Head[HeadSize];
    std::size_t Size = 0;
    if (Expected > Limit) {
        // Only the encoding can still allow this length; its mark is in the first bytes.
        const std::int64_t Got = ReadUpTo(File, Head, HeadSize);
        if (Got < 0) {
            return Failed(WholeFileStatus::ReadFailed);
        }
        Size = static_cast<std::size_t>(Got);
        Limit = MaxBytes({Head, Size});
        if (Expected > Limit) {
            return Failed(WholeFileStatus::TooLarge);
        }
    }

    std::size_t Capacity = static_cast<std::size_t>(Expected);
    std::unique_ptr<char[]> Bytes(Capacity > 0 ? new char[Capacity] : nullptr);
    if (Size > 0) {
        std::memcpy(Bytes.get(), Head, Size);
    }
    for (;;) {
        const std::int64_t Got = ReadUpTo(File, Bytes.get() + Size, Capacity - Size);
        if (Got < 0) {
            return Failed(WholeFileStatus::ReadFailed);
        }
        Size += static_cast<std::size_t>(Got);
        if (Size < Capacity) {
            break;  // the file ended early
        }
        // The buffer is full: the file may end here, or it was longer than said (or of unknown
        // length). Probing first keeps the buffer as it is in the usual case.
        char Probe[ProbeSize];
        const std::int64_t More = File.Read(Probe, ProbeSize);
        if (More < 0) {
            return Failed(WholeFileStatus::ReadFailed);
        }
        if (More == 0) {
            break;
        }
        const std::size_t Extra = static_cast<std::size_t>(More);
        if (Size + Extra > Limit) {
            char Joined[HeadSize];
            const std::size_t FromBytes = std::min(Size, HeadSize);
            const std::size_t FromProbe = std::min(HeadSize - FromBytes, Extra);
            if (FromBytes > 0) {
                std::memcpy(Joined, Bytes.get(), FromBytes);
            }
            std::memcpy(Joined + FromBytes, Probe, FromProbe);
            Limit = MaxBytes({Joined, FromBytes + FromProbe});
            if (Size + Extra > Limit) {
                return Failed(WholeFileStatus::TooLarge);
            }
        }
        Capacity = std::max({Size + Extra, 2 * Capacity, std::size_t{64} << 10});
        Capacity = static_cast<std::size_t>(std::min<std::uint64_t>(Capacity, Limit));
        Grow(Bytes, Size, Capacity);
        std::memcpy(Bytes.get() + Size, Probe, Extra);
        Size += Extra;
    }
    return WholeFile{WholeFileStatus::Read, std::move(Bytes), Size};
}

}  // namespace QVH::detail

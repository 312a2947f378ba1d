#include "tools/check/disk_file.hpp"

#include <span>
#include <utility>

#include "anim_files/read_content.hpp"
#include "anim_files/read_scratch.hpp"

namespace QVH::Check {
namespace {

// Keeps what the mod's read meets: every byte it reads, where the text ends, how long the file is.
class Keeper final : public detail::ContentObserver {
public:
    void Piece(std::span<const char> Bytes) override {
        File.Bytes.append(Bytes.data(), Bytes.size());
    }
    void Nul(std::uint64_t Offset) override { File.Nul = static_cast<std::size_t>(Offset); }
    void End(std::optional<std::uint64_t> FileSize) override { File.FileSize = FileSize; }

    DiskFile File;
};

}  // namespace

DiskRead ReadDiskFile(const std::u8string& Path) {
    // The reads' own scratch, reused from file to file.
    detail::ScratchLease Lease;
    Keeper Kept;
    const detail::ContentRead Read = detail::ReadContent(Path, Lease.Scratch(), &Kept);
    if (Read.Failure) {
        return {Read.Failure, Read.Error, {}};
    }
    Kept.File.Encoding = DetectEncoding(Kept.File.Bytes);
    return {std::nullopt, {}, std::move(Kept.File)};
}

}  // namespace QVH::Check

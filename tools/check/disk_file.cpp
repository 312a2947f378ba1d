#include "tools/check/disk_file.hpp"

#include <algorithm>
#include <span>
#include <utility>

#include "anim_files/read_content.hpp"

namespace QVH::Check {
namespace {

// Keeps what the mod's read meets: every byte it reads, where the text ends, how long the file is.
class Keeper final : public ContentObserver {
public:
    void Opened(std::optional<std::uint64_t> Size) override { Expected = Size.value_or(0); }
    void Piece(std::span<const char> Bytes) override {
        // A text that goes on past the first piece is read whole: room once for the length the
        // system gave, as much as the read itself would set aside for it; a file that claims more
        // than its text, which ends at a NUL, gets room as its bytes come.
        if (++Pieces == 2) {
            File.Bytes.reserve(static_cast<std::size_t>(
                std::min<std::uint64_t>(Expected, MaxUnitsExpectedFromLength)));
        }
        File.Bytes.append(Bytes.data(), Bytes.size());
    }
    void Nul(std::uint64_t Offset) override { File.Nul = static_cast<std::size_t>(Offset); }
    void End(std::optional<std::uint64_t> FileSize) override { File.FileSize = FileSize; }

    DiskFile File;

private:
    std::uint64_t Expected = 0;
    int Pieces = 0;
};

}  // namespace

DiskRead ReadDiskFile(const std::u8string& Path) {
    Keeper Kept;
    const ContentRead Read = FollowContent(Path, Kept);
    if (Read.Failure) {
        return {Read.Failure, Read.Error, {}};
    }
    Kept.File.Encoding = DetectEncoding(Kept.File.Bytes);
    return {std::nullopt, {}, std::move(Kept.File)};
}

}  // namespace QVH::Check

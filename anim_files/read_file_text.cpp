#include "anim_files/read_file_text.hpp"

#include <algorithm>
#include <cstring>
#include <optional>
#include <string_view>

#include "anim_files/input_file.hpp"
#include "text/content_decoder.hpp"
#include "text/file_encoding.hpp"

namespace QVH::detail {
namespace {

static_assert(ReadScratch::RoomBefore >= ContentDecoder::MaxKeptBytes);

constexpr std::size_t HeadSize = 3;

FileText Failed(FileTextStatus Status, std::error_code Error = {}) {
    return FileText{Status, nullptr, 0, Error};
}

// The most bytes a file that starts with Head may hold.
std::uint64_t MaxBytes(std::string_view Head) {
    return MaxFileBytes(DetectEncoding(Head), MaxEngineTextUnits);
}

// The first bytes of a file, gathered as pieces arrive.
struct Head {
    char Bytes[HeadSize];
    std::size_t Size = 0;

    void Take(const char* Piece, std::size_t Count) {
        const std::size_t Taken = std::min(HeadSize - Size, Count);
        std::memcpy(Bytes + Size, Piece, Taken);
        Size += Taken;
    }
};

}  // namespace

FileText ReadFileText(const std::u8string& Path, ReadScratch& Scratch) {
    InputFile File(Path);
    switch (File.Status()) {
        case InputFile::OpenStatus::Opened:
            break;
        case InputFile::OpenStatus::Missing:
            return Failed(FileTextStatus::Missing);
        case InputFile::OpenStatus::Folder:
            return Failed(FileTextStatus::Folder);
        case InputFile::OpenStatus::Device:
            return Failed(FileTextStatus::Device);
        case InputFile::OpenStatus::Failed:
            return Failed(FileTextStatus::OpenFailed, File.Error());
    }

    const std::optional<std::uint64_t> Expected = File.Size();
    char* const Piece = Scratch.Piece();
    ContentDecoder Decoder;
    Head First;
    std::uint64_t Limit = MaxBytes({});
    std::uint64_t Total = 0;
    RC::CharType* Units = nullptr;
    std::size_t Capacity = 0;
    std::size_t Written = 0;
    for (;;) {
        const std::int64_t Got = File.Read(Piece, ReadScratch::PieceBytes);
        if (Got < 0) {
            return Failed(FileTextStatus::ReadFailed, File.Error());
        }
        const auto Count = static_cast<std::size_t>(Got);
        Total += Count;
        // A read that ends short of what was asked, once the length the system gave is read,
        // met the end: no read is spent to be told so. A file of unknown length is read until a
        // read gives nothing, and so is one whose length is given as 0: system files such as
        // those of /proc say 0 and come in short reads.
        const bool Last = Count == 0 || (Expected.value_or(0) > 0 &&
                                         Count < ReadScratch::PieceBytes && Total >= *Expected);
        if (First.Size < HeadSize) {
            First.Take(Piece, Count);
            if (First.Size == HeadSize || Last) {
                // Only the encoding can allow a longer file; its mark is in the first bytes.
                Limit = MaxBytes({First.Bytes, First.Size});
                if (Expected.value_or(0) > Limit) {
                    return Failed(FileTextStatus::TooLarge);
                }
            }
        }
        if (Total > Limit) {
            return Failed(FileTextStatus::TooLarge);
        }
        const std::span<const char> Bytes = Decoder.Resume(Piece, Count);
        // The engine string made of the text would end at its first NUL: nothing after one is
        // decoded, read, or given room.
        const std::size_t TextBytes = Decoder.BytesBeforeNul(Bytes);
        const bool Ends = Last || TextBytes < Bytes.size();
        const std::size_t Needed = Written + ContentDecoder::MaxUnits(TextBytes) + 1;
        if (Needed > Capacity) {
            // Sized once from the length the system gave, unless the text ends in this piece;
            // grown only for a file that turns out longer, or whose length was not known.
            Capacity = Ends ? Needed
                            : std::max<std::uint64_t>(
                                  {Needed, Expected.value_or(0) + 1, std::uint64_t{2} * Capacity});
            Capacity = static_cast<std::size_t>(std::min<std::uint64_t>(Capacity, Limit + 1));
            Units = Scratch.Units(Capacity, Written);
        }
        Written += Decoder.Decode(Bytes.first(TextBytes), Ends, Units + Written);
        if (Ends) {
            break;
        }
    }
    Units[Written] = 0;
    return FileText{FileTextStatus::Read, Units, Written, {}};
}

}  // namespace QVH::detail

#include "anim_files/read_content.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "anim_files/input_file.hpp"
#include "text/content_decoder.hpp"
#include "text/file_encoding.hpp"

namespace QVH::detail {
namespace {

static_assert(ReadScratch::RoomBefore >= ContentDecoder::MaxKeptBytes);

ContentRead Failed(ReadFailure Failure, std::error_code Error = {}) {
    return ContentRead{Failure, nullptr, 0, Error};
}

std::optional<ReadFailure> OpenFailure(InputFile::OpenStatus Status) {
    switch (Status) {
        case InputFile::OpenStatus::Opened:
            return std::nullopt;
        case InputFile::OpenStatus::Missing:
            return ReadFailure::Missing;
        case InputFile::OpenStatus::Folder:
            return ReadFailure::Folder;
        case InputFile::OpenStatus::Device:
            return ReadFailure::Device;
        case InputFile::OpenStatus::Failed:
            break;
    }
    return ReadFailure::OpenFailed;
}

// How much of a file a read has taken, against the length the system gave and the most bytes an
// engine string's text allows, which only the encoding told by the first bytes can raise.
class ReadSize {
public:
    explicit ReadSize(std::optional<std::uint64_t> InExpected) : Expected(InExpected) {}

    // Counts the Count bytes just read into Piece; whether they are the file's last.
    bool Take(const char* Piece, std::size_t Count) {
        Total += Count;
        // A read that ends short of what was asked, once the length the system gave is read,
        // met the end: no read is spent to be told so. A file of unknown length is read until a
        // read gives nothing, and so is one whose length is given as 0: system files such as
        // those of /proc say 0 and come in short reads.
        const bool Last = Count == 0 || (Expected.value_or(0) > 0 &&
                                         Count < ReadScratch::PieceBytes && Total >= *Expected);
        if (HeadSize < MaxMarkBytes) {
            const std::size_t Taken = std::min(MaxMarkBytes - HeadSize, Count);
            std::memcpy(Head + HeadSize, Piece, Taken);
            HeadSize += Taken;
            if (HeadSize == MaxMarkBytes || Last) {
                EncodingKnown = true;
                Max = MaxFileBytes(DetectEncoding({Head, HeadSize}), MaxEngineTextUnits);
            }
        }
        return Last;
    }

    // Whether the file is surely too long for an engine string: by the bytes read, or, once its
    // encoding is known, by the length the system gave.
    bool TooLarge() const { return Total > Max || (EncodingKnown && Expected.value_or(0) > Max); }

    std::optional<std::uint64_t> ExpectedBytes() const { return Expected; }
    std::uint64_t Limit() const { return Max; }
    std::uint64_t Taken() const { return Total; }

    // How many bytes the file holds, once the text has ended (Last: with the file's end): unknown
    // when the system gave 0 and the read stopped short of the end.
    std::optional<std::uint64_t> FileSize(bool Last) const {
        if (!Last && Expected.value_or(0) == 0) {
            return std::nullopt;
        }
        return std::max(Expected.value_or(0), Total);
    }

private:
    std::optional<std::uint64_t> Expected;
    std::uint64_t Total = 0;
    char Head[MaxMarkBytes] = {};
    std::size_t HeadSize = 0;
    bool EncodingKnown = false;
    std::uint64_t Max = MaxFileBytes({}, MaxEngineTextUnits);
};

// The decoded text's room in the scratch, grown as the pieces come. Unless it Keeps the text, each
// piece's units go where the last one's went: the text is only followed.
class TextRoom {
public:
    TextRoom(ReadScratch& InScratch, bool InKeeps) : Scratch(InScratch), Keeps(InKeeps) {}

    // Room for the units of TextBytes more bytes and the NUL after them. Sized once from the
    // length the system gave, unless the text ends in this piece (Ends); grown only for a file
    // that turns out longer, or whose length was not known; never past what Size's limit allows.
    RC::CharType* For(std::size_t TextBytes, bool Ends, const ReadSize& Size) {
        if (!Keeps) {
            Written = 0;
            Ends = true;
        }
        const std::size_t Needed = Written + ContentDecoder::MaxUnits(TextBytes) + 1;
        if (Needed > Capacity) {
            Capacity = Ends ? Needed
                            : std::max<std::uint64_t>({Needed, Size.ExpectedBytes().value_or(0) + 1,
                                                       std::uint64_t{2} * Capacity});
            Capacity =
                static_cast<std::size_t>(std::min<std::uint64_t>(Capacity, Size.Limit() + 1));
            Units = Scratch.Units(Capacity, Written);
        }
        return Units + Written;
    }

    void Wrote(std::size_t Count) { Written += Count; }

    ContentRead Text() {
        if (!Keeps) {
            return ContentRead{};
        }
        Units[Written] = 0;
        return ContentRead{std::nullopt, Units, Written, {}};
    }

private:
    ReadScratch& Scratch;
    bool Keeps;
    RC::CharType* Units = nullptr;
    std::size_t Capacity = 0;
    std::size_t Written = 0;
};

}  // namespace

ContentRead ReadContent(const std::u8string& Path, ReadScratch& Scratch,
                        ContentObserver* Observer) {
    InputFile File(Path);
    if (const std::optional<ReadFailure> Failure = OpenFailure(File.Status())) {
        return *Failure == ReadFailure::OpenFailed ? Failed(*Failure, File.Error())
                                                   : Failed(*Failure);
    }
    if (Observer != nullptr) {
        Observer->Opened(File.Size());
    }
    char* const Piece = Scratch.Piece();
    ContentDecoder Decoder;
    ReadSize Size(File.Size());
    TextRoom Text(Scratch, Observer == nullptr);
    for (;;) {
        const std::int64_t Got = File.Read(Piece, ReadScratch::PieceBytes);
        if (Got < 0) {
            return Failed(ReadFailure::ReadFailed, File.Error());
        }
        const auto Count = static_cast<std::size_t>(Got);
        const bool Last = Size.Take(Piece, Count);
        if (Size.TooLarge()) {
            return Failed(ReadFailure::TooLarge);
        }
        if (Observer != nullptr) {
            Observer->Piece({Piece, Count});
        }
        const std::span<const char> Bytes = Decoder.Resume(Piece, Count);
        // The engine string made of the text would end at its first NUL: nothing after one is
        // decoded, read, or given room.
        const std::size_t TextBytes = Decoder.BytesBeforeNul(Bytes);
        const bool Ends = Last || TextBytes < Bytes.size();
        Text.Wrote(Decoder.Decode(Bytes.first(TextBytes), Ends, Text.For(TextBytes, Ends, Size)));
        if (!Ends) {
            continue;
        }
        if (Observer != nullptr) {
            // Bytes holds the bytes kept back from the pieces before, then this one's.
            const std::size_t Kept = Bytes.size() - Count;
            if (TextBytes < Bytes.size()) {
                Observer->Nul(Size.Taken() - Count + TextBytes - Kept);
            }
            Observer->End(Size.FileSize(Last));
        }
        return Text.Text();
    }
}

}  // namespace QVH::detail

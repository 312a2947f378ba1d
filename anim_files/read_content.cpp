#include "anim_files/read_content.hpp"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "anim_files/input_file.hpp"
#include "engine/engine_text.hpp"
#include "text/content_decoder.hpp"
#include "text/file_encoding.hpp"

namespace QVH::detail {
namespace {

static_assert(ReadScratch::RoomBefore >= ContentDecoder::MaxKeptBytes);

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
                Encoding = DetectEncoding({Head, HeadSize});
                Max = MaxFileBytes(*Encoding, MaxEngineTextUnits);
            }
        }
        return Last;
    }

    // Whether the file is surely too long for an engine string: by the bytes read, or, once its
    // encoding is known, by the length the system gave.
    bool TooLarge() const { return Total > Max || (Encoding && Expected.value_or(0) > Max); }

    // The units the whole text may take, as the length the system gave and the encoding tell
    // (UTF-16: half the bytes, rounded up; UTF-8: one unit a byte), held to what may be set aside
    // from the length alone; never fewer than AtLeast.
    std::size_t ExpectedUnits(std::size_t AtLeast) const {
        const std::uint64_t Bytes = Expected.value_or(0);
        const bool Utf16 = Encoding && Encoding->IsUtf16();
        const std::uint64_t Units = Utf16 ? (Bytes + 1) / 2 : Bytes;
        return std::max(AtLeast, static_cast<std::size_t>(
                                     std::min<std::uint64_t>(Units, MaxUnitsExpectedFromLength)));
    }

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
    std::optional<FileEncoding> Encoding;  // once the first bytes have told it
    std::uint64_t Max = MaxFileBytes({}, MaxEngineTextUnits);
};

// Tells Observer, if any, where the text ended: Bytes is the piece as decoded (the bytes kept back
// from the pieces before, then the Count just read), of which TextBytes are text.
void TellEnd(ContentObserver* Observer, const ReadSize& Size, std::span<const char> Bytes,
             std::size_t Count, std::size_t TextBytes, bool Last) {
    if (Observer == nullptr) {
        return;
    }
    if (TextBytes < Bytes.size()) {
        const std::size_t Kept = Bytes.size() - Count;
        Observer->Nul(Size.Taken() - Count + TextBytes - Kept);
    }
    Observer->End(Size.FileSize(Last));
}

// A sink that lets each piece's text go once decoded: room for one piece at a time.
class FollowedText final : public TextSink {
public:
    explicit FollowedText(ReadScratch& InScratch) : Scratch(InScratch) {}
    void Expect(std::size_t) override {}
    RC::CharType* Room(std::size_t) override { return Scratch.PieceOfUnits(); }
    void Wrote(std::size_t) override {}

private:
    ReadScratch& Scratch;
};

}  // namespace

ContentRead ReadContent(const std::u8string& Path, ReadScratch& Scratch, TextSink& Text,
                        ContentObserver* Observer) {
    InputFile File(Path);
    if (const std::optional<ReadFailure> Failure = OpenFailure(File.Status())) {
        return {*Failure, *Failure == ReadFailure::OpenFailed ? File.Error() : std::error_code{}};
    }
    if (Observer != nullptr) {
        Observer->Opened(File.Size());
    }
    char* const Piece = Scratch.Piece();
    ContentDecoder Decoder;
    ReadSize Size(File.Size());
    for (bool First = true;; First = false) {
        const std::int64_t Got = File.Read(Piece, ReadScratch::PieceBytes);
        if (Got < 0) {
            return {ReadFailure::ReadFailed, File.Error()};
        }
        const auto Count = static_cast<std::size_t>(Got);
        const bool Last = Size.Take(Piece, Count);
        if (Size.TooLarge()) {
            return {ReadFailure::TooLarge, {}};
        }
        if (Observer != nullptr) {
            Observer->Piece({Piece, Count});
        }
        const std::span<const char> Bytes = Decoder.Resume(Piece, Count);
        // The engine string made of the text would end at its first NUL: nothing after one is
        // decoded, read, or given room.
        const std::size_t TextBytes = Decoder.BytesBeforeNul(Bytes);
        const bool Ends = Last || TextBytes < Bytes.size();
        const std::size_t Units = Decoder.MaxUnits(Bytes.first(TextBytes));
        if (First) {
            // Sized once: for this piece alone when the text ends in it.
            Text.Expect(Ends ? Units : Size.ExpectedUnits(Units));
        }
        Text.Wrote(Decoder.Decode(Bytes.first(TextBytes), Ends, Text.Room(Units)));
        if (Ends) {
            TellEnd(Observer, Size, Bytes, Count, TextBytes, Last);
            return {};
        }
    }
}

}  // namespace QVH::detail

namespace QVH {

ContentRead FollowContent(const std::u8string& Path, ContentObserver& Observer) {
    // The reads' own scratch, reused from file to file.
    detail::ScratchLease Lease;
    detail::FollowedText Text(Lease.Scratch());
    return detail::ReadContent(Path, Lease.Scratch(), Text, &Observer);
}

}  // namespace QVH

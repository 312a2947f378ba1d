#include "tools/check/read_stored_file.hpp"

#include <algorithm>

#include "anim_files/input_file.hpp"
#include "anim_files/read_scratch.hpp"
#include "text/content_decoder.hpp"
#include "text/file_encoding.hpp"

namespace QVH::Check {
namespace {

using detail::InputFile;
using detail::ReadFailure;

std::optional<ReadFailure> StatusOf(InputFile::OpenStatus Status) {
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

}  // namespace

StoredFile ReadStoredFile(const std::u8string& Path) {
    InputFile File(Path);
    StoredFile Out;
    Out.Failure = StatusOf(File.Status());
    if (Out.Failure) {
        Out.Error = File.Error();
        return Out;
    }
    const std::uint64_t Expected = File.Size().value_or(0);
    // The reads' own scratch, reused from file to file; only the decoder needs its units.
    detail::ScratchLease Lease;
    detail::ReadScratch& Scratch = Lease.Scratch();
    char* const Piece = Scratch.Piece();
    RC::CharType* const Units = Scratch.Units(
        ContentDecoder::MaxUnits(detail::ReadScratch::PieceBytes + ContentDecoder::MaxKeptBytes),
        0);
    // The decoder tells where the text's NUL is, as the mod's read finds it: in a UTF-16 file only
    // a whole zero unit is one, and it knows where units start.
    ContentDecoder Decoder;
    std::uint64_t Limit = 0;
    for (;;) {
        const std::int64_t Got = File.Read(Piece, detail::ReadScratch::PieceBytes);
        if (Got < 0) {
            Out.Failure = ReadFailure::ReadFailed;
            Out.Error = File.Error();
            Out.Bytes.clear();
            return Out;
        }
        const auto Count = static_cast<std::size_t>(Got);
        const bool First = Limit == 0;
        Out.Bytes.append(Piece, Count);
        // As the mod's read: the length the system gave is trusted to end the file, unless it
        // gave 0, as the files of /proc do.
        const bool Last = Count == 0 || (Expected > 0 && Count < detail::ReadScratch::PieceBytes &&
                                         Out.Bytes.size() >= Expected);
        if (First) {
            // Only the encoding can allow a longer file; its mark is in the first bytes.
            Limit = MaxFileBytes(DetectEncoding(Out.Bytes), detail::MaxEngineTextUnits);
        }
        if (std::max<std::uint64_t>(Expected, Out.Bytes.size()) > Limit) {
            Out.Failure = ReadFailure::TooLarge;
            Out.Bytes.clear();
            return Out;
        }
        const std::span<const char> Text = Decoder.Resume(Piece, Count);
        const std::size_t TextBytes = Decoder.BytesBeforeNul(Text);
        const bool Ends = Last || TextBytes < Text.size();
        Decoder.Decode(Text.first(TextBytes), Ends, Units);
        if (Ends) {
            if (Last || Expected > 0) {
                Out.Size = std::max<std::uint64_t>(Expected, Out.Bytes.size());
            }
            return Out;
        }
        if (First) {
            // A text that goes on past the first piece is read whole; the length is trusted as
            // far as the limit, already checked.
            Out.Bytes.reserve(static_cast<std::size_t>(Expected));
        }
    }
}

}  // namespace QVH::Check

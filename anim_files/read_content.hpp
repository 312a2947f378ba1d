#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <system_error>

#include "File/Macros.hpp"
#include "anim_files/read_failure.hpp"
#include "anim_files/read_scratch.hpp"

// The reading of an animation file, a piece at a time: what the mod's read is built on, and how
// the folder check follows the same read.
namespace QVH {

// The most units a read sets aside from the file's length alone, before its text has come: 16 Mi
// (32 MiB). A file may claim far more than its text, which ends at its first NUL; past this,
// room grows only as the text arrives.
inline constexpr std::size_t MaxUnitsExpectedFromLength = std::size_t{16} << 20;

// What a read meets on its way, for a caller that looks at the file as stored besides its text
// (the folder check): told on the reading thread, in the order of the file.
class ContentObserver {
public:
    // The file is open: Size is its length as the system gave it, when it gave one. Only a hint,
    // as for the read: the file may change meanwhile.
    virtual void Opened(std::optional<std::uint64_t> Size) = 0;
    // The file's bytes as read, from its start, a piece at a time: each piece whole, the bytes
    // after the text's end in it too.
    virtual void Piece(std::span<const char> Bytes) = 0;
    // The text ends at a NUL Offset bytes into the file; nothing after its piece is read.
    virtual void Nul(std::uint64_t Offset) = 0;
    // The text is read. FileSize: how many bytes the file holds, when known, from the length the
    // system gave or from a read to the end.
    virtual void End(std::optional<std::uint64_t> FileSize) = 0;

protected:
    ~ContentObserver() = default;
};

// What a read of a file gave: nothing, when the file was read to the end of its text.
struct ContentRead {
    std::optional<ReadFailure> Failure;
    // The system's error behind OpenFailed or ReadFailed, when it gave one.
    std::error_code Error;
};

// Reads the file at Path (UTF-8 text) as the mod's read does, for Observer alone: the same opening,
// limits and decoding, its text let go a piece at a time, so that a large file needs no more memory
// than a small one. Throws std::bad_alloc when memory runs out, and what Observer throws. Any
// thread.
ContentRead FollowContent(const std::u8string& Path, ContentObserver& Observer);

namespace detail {

// Where a read puts the text it decodes, a piece at a time.
class TextSink {
public:
    // Before any room is asked for: how many units the whole text may take, as far as the file's
    // length and its first bytes tell, at most MaxUnitsExpectedFromLength. A hint, which a file
    // that changes while it is read may break either way.
    virtual void Expect(std::size_t Units) = 0;
    // Room for Count more units after the text so far. Throws std::bad_alloc when memory runs out.
    virtual RC::CharType* Room(std::size_t Count) = 0;
    // Count units were written at the room last given.
    virtual void Wrote(std::size_t Count) = 0;

protected:
    ~TextSink() = default;
};

// Reads the file at Path (UTF-8 text) in binary up to the end of its text, a piece at a time into
// Scratch, and decodes each piece with a ContentDecoder into Text. The text ends at its first NUL:
// the file is read no further. A file whose length could pass an engine string's is refused
// before any room is asked for. Observer, when given, is told what the read meets. Throws
// std::bad_alloc when memory runs out, and what Text or Observer throw. Any thread.
ContentRead ReadContent(const std::u8string& Path, ReadScratch& Scratch, TextSink& Text,
                        ContentObserver* Observer = nullptr);

}  // namespace detail
}  // namespace QVH

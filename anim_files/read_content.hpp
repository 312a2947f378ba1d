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

namespace QVH::detail {

// The longest engine string: its length field is a signed 32-bit count that includes the NUL.
inline constexpr std::uint64_t MaxEngineTextUnits = 0x7FFF'FFFE;

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

// What a read of a file gave.
struct ContentRead {
    // Why there is no text; nothing when the file was read to the end of its text.
    std::optional<ReadFailure> Failure;
    // The decoded text up to the first NUL, NUL-terminated, in the scratch it was read with; null
    // on a failure, and for a read with an observer.
    const RC::CharType* Units = nullptr;
    std::size_t Size = 0;
    // The system's error behind OpenFailed or ReadFailed, when it gave one.
    std::error_code Error;
};

// Reads the file at Path (UTF-8 text) in binary up to the end of its text, and decodes it with a
// ContentDecoder, one piece at a time through Scratch, into Scratch's text buffer sized from the
// file's length. The text ends at its first NUL: the file is read no further, and the buffer is
// sized for what came before it when that is in the first piece. A file whose length could pass
// an engine string's is refused before its text buffer is allocated. Observer, when given, is told
// what the read meets, and the text is then only followed, a piece at a time, not kept: the read
// gives no Units, and needs no more memory for a large file than for a small one. Throws
// std::bad_alloc when memory runs out, and what Observer throws. Any thread.
ContentRead ReadContent(const std::u8string& Path, ReadScratch& Scratch,
                        ContentObserver* Observer = nullptr);

}  // namespace QVH::detail

#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <system_error>

#include "File/Macros.hpp"
#include "anim_files/read_scratch.hpp"

namespace QVH::detail {

// The longest engine string: its length field is a signed 32-bit count that includes the NUL.
inline constexpr std::uint64_t MaxEngineTextUnits = 0x7FFF'FFFE;

// Refused: the name was not read at all.
enum class FileTextStatus {
    Read,
    Refused,
    Missing,
    Folder,
    Device,
    OpenFailed,
    TooLarge,
    ReadFailed
};

struct FileText {
    FileTextStatus Status = FileTextStatus::Read;
    // The decoded text up to the first NUL, NUL-terminated, in the scratch it was read with; null
    // unless Read.
    const RC::CharType* Units = nullptr;
    std::size_t Size = 0;
    // The system's error behind OpenFailed or ReadFailed, when it gave one.
    std::error_code Error;
};

// Reads the file at Path (UTF-8 text) in binary up to the end of its text, and decodes it with a
// ContentDecoder, one piece at a time through Scratch, into Scratch's text buffer sized from the
// file's length. The text ends at its first NUL: the file is read no further, and the buffer
// is sized for what came before it when that is in the first piece. A file whose length could
// pass an engine string's is refused before its text buffer is allocated. Only a complete read
// gives Read; anything else gives no text. Throws std::bad_alloc when memory runs out. Any thread.
FileText ReadFileText(const std::u8string& Path, ReadScratch& Scratch);

}  // namespace QVH::detail

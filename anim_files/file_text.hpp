#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "File/Macros.hpp"
#include "anim_files/read_scratch.hpp"

namespace QVH::detail {

enum class FileTextStatus { Read, Missing, Folder, Device, OpenFailed, TooLarge, ReadFailed };

struct FileText {
    FileTextStatus Status = FileTextStatus::Read;
    // The decoded text, NUL-terminated, in the scratch it was read with; null unless Read.
    const RC::CharType* Units = nullptr;
    std::size_t Size = 0;
};

// Given a file's first bytes (up to three, fewer when the file is shorter), the most bytes it may
// hold. An empty head must give the lowest limit of all.
using MaxBytesForHead = std::uint64_t (*)(std::string_view Head);

// Reads the file at Path (UTF-8 text) whole, in binary, and decodes it as DecodeFileText would, one
// piece at a time through Scratch, into Scratch's text buffer sized from the file's length. A file
// longer than MaxBytes allows is refused before its text buffer is allocated. Only a complete read
// gives Read; anything else gives no text. Throws std::bad_alloc when memory runs out. Any thread.
FileText ReadFileText(const std::u8string& Path, MaxBytesForHead MaxBytes, ReadScratch& Scratch);

}  // namespace QVH::detail

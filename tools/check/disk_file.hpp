#pragma once

// An animation file as stored on disk, read with the mod's own read (FollowContent), so that it
// fails where the mod's read fails and its text ends where the mod's ends: what the checks look
// at besides the text the mod gives, to place what they find in the file.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

#include "anim_files/read_failure.hpp"
#include "text/file_encoding.hpp"

namespace QVH::Check {

struct DiskFile {
    // From the file's start to the end of the piece read last: the text's end, and past it the
    // rest of that piece, enough to tell UTF-16 without a byte-order mark.
    std::string Bytes;
    std::optional<std::size_t> Nul;         // where the NUL that ends the text is, if one does
    std::optional<std::uint64_t> FileSize;  // how many bytes the file holds, when known
    FileEncoding Encoding;                  // as the mod tells it (DetectEncoding)

    // Where the text the mod gives ends: at its NUL, or at the end of the file.
    std::size_t TextEnd() const { return Nul.value_or(Bytes.size()); }
};

// What a read of a file as stored gave: the file, or why there is none.
struct DiskRead {
    std::optional<ReadFailure> Failure;
    std::error_code Error;  // the system's, behind OpenFailed and ReadFailed
    DiskFile File;
};

// Reads the file at Path (UTF-8, as the mod's read takes it). Throws std::bad_alloc when memory
// runs out. Any thread.
DiskRead ReadDiskFile(const std::u8string& Path);

}  // namespace QVH::Check

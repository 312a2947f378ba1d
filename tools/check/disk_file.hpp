#pragma once

// An animation file as stored on disk, read with the mod's own read (ReadContent), so that it
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

class DiskFile {
public:
    DiskFile() = default;
    // Bytes: the file's from its start to the end of its text at least; Nul: where the NUL that
    // ends its text is, if one does; FileSize: how many bytes it holds, when known.
    DiskFile(std::string Bytes, std::optional<std::size_t> Nul,
             std::optional<std::uint64_t> FileSize);

    // From the file's start to the end of the piece read last: the text's end, and past it the
    // rest of that piece, enough to tell UTF-16 without a byte-order mark.
    const std::string& Bytes() const { return Data; }
    std::optional<std::size_t> Nul() const { return NulAt; }
    // Where the text the mod gives ends: at its NUL, or at the end of the file.
    std::size_t TextEnd() const { return NulAt.value_or(Data.size()); }
    std::optional<std::uint64_t> FileSize() const { return Size; }
    // As the mod tells it (DetectEncoding).
    FileEncoding Encoding() const { return Kind; }

private:
    std::string Data;
    std::optional<std::size_t> NulAt;
    std::optional<std::uint64_t> Size;
    FileEncoding Kind;
};

// What a read of a file as stored gave: the file, or why there is none.
struct DiskRead {
    std::optional<detail::ReadFailure> Failure;
    std::error_code Error;  // the system's, behind OpenFailed and ReadFailed
    DiskFile File;
};

// Reads the file at Path (UTF-8, as the mod's read takes it). Throws std::bad_alloc when memory
// runs out. Any thread.
DiskRead ReadDiskFile(const std::u8string& Path);

}  // namespace QVH::Check

#pragma once

// An animation file's bytes as stored, read with the mod's own rules and pieces: regular files
// only, opened without blocking, the length checked first, and nothing read after the NUL that
// ends the text.

#include <cstdint>
#include <optional>
#include <string>
#include <system_error>

#include "anim_files/read_content.hpp"

namespace QVH::Check {

struct StoredFile {
    // Read, or why the file gives no bytes: Missing, Folder, Device (anything that is not a
    // regular file), OpenFailed, TooLarge (for an engine string), ReadFailed.
    std::optional<detail::ReadFailure> Failure;
    std::error_code Error;  // the system's, behind OpenFailed or ReadFailed
    // The file's bytes from its start to the end of its text (its first NUL included), or the
    // whole first piece read if that is more: enough to tell UTF-16 without a byte-order mark.
    std::string Bytes;
    // How many bytes the file holds, when known: from the system, or from a read to its end.
    std::optional<std::uint64_t> Size;
};

// Reads the file at Path (UTF-8, as a read takes it). Throws std::bad_alloc when memory runs out.
// Any thread.
StoredFile ReadStoredFile(const std::u8string& Path);

}  // namespace QVH::Check

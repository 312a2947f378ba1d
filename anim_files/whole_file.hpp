#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <string_view>

namespace QVH::detail {

enum class WholeFileStatus { Read, Missing, Folder, Device, OpenFailed, TooLarge, ReadFailed };

struct WholeFile {
    WholeFileStatus Status = WholeFileStatus::Read;
    std::unique_ptr<char[]> Bytes;  // null when Size is 0
    std::size_t Size = 0;

    std::span<const char> Content() const noexcept { return {Bytes.get(), Size}; }
};

// Given a file's first bytes (up to three, fewer when the file is shorter), the most bytes it may
// hold. An empty head must give the lowest limit of all.
using MaxBytesForHead = std::uint64_t (*)(std::string_view Head);

// Reads the file at Path whole, in binary, into one buffer sized from the file's length (growing
// only when the length is unknown or the file grows meanwhile). A file longer than MaxBytes allows
// is refused before its buffer is allocated. Only a complete read gives Read; anything else gives
// no bytes. Throws std::bad_alloc when memory runs out. Any thread.
WholeFile ReadWholeFile(const std::filesystem::path& Path, MaxBytesForHead MaxBytes);

}  // namespace QVH::detail

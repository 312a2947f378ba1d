#pragma once

#include <cstddef>
#include <cstdint>

#include "HostApi.hpp"

namespace RC::Unreal {

using SIZE_T = std::size_t;
using uint32 = std::uint32_t;

// The engine's allocator, which the host forwards to the game's own. Every engine array's memory
// comes from here and goes back here: memory of another heap must never reach it, and its memory
// must never be freed elsewhere. Any thread.
struct RC_UE4SS_API FMemory {
    // Null when the memory cannot be had.
    static void* Malloc(SIZE_T Count, uint32 Alignment = 0);
    // Original's contents, moved to a block of Count bytes, which may be another; null when the
    // memory cannot be had, Original then left as it was. A null Original allocates.
    static void* Realloc(void* Original, SIZE_T Count, uint32 Alignment = 0);
    // Null is allowed.
    static void Free(void* Original);
};

}  // namespace RC::Unreal

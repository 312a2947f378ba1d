#pragma once

#include <cstddef>
#include <optional>

#include "HostApi.hpp"

// The stand-in's engine allocator (FMemory), seen from the tests: which memory is its own, how
// much it holds, and a game running out of memory. Thread-safe.
namespace StandIn::EngineMemory {

// Whether Block is the start of memory the engine's allocator gave and has not taken back.
RC_UE4SS_API bool Owns(const void* Block);

// Bytes the engine's allocator holds for its callers now.
RC_UE4SS_API std::size_t HeldBytes();

// From now on, until the limit is set to nothing, an allocation fails (gives null) when it would
// make the allocator hold more than Bytes.
RC_UE4SS_API void Limit(std::optional<std::size_t> Bytes);

}  // namespace StandIn::EngineMemory

#include "Unreal/FMemory.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <optional>
#include <unordered_map>

#include "StandIn/EngineMemory.hpp"

namespace RC::Unreal {
namespace {

// Each block carries a header before the memory it gives. Its last word stands where the C heap
// keeps a block's size, and holds one that heap refuses: memory of the engine's handed to free()
// ends the process there, as it would corrupt the game's heap.
constexpr std::size_t HeaderBytes = 16;
constexpr std::uint64_t NotACHeapSize = 1;

struct Blocks {
    std::mutex Mutex;
    std::unordered_map<const void*, std::size_t> Sizes;  // by the address given out
    std::size_t Held = 0;
    std::optional<std::size_t> Limit;
};

Blocks& TheBlocks() {
    static Blocks* const Instance = new Blocks;  // never destroyed: engine strings may outlive it
    return *Instance;
}

[[noreturn]] void NotEngineMemory(const char* Call) {
    std::fprintf(stderr, "FMemory::%s: memory the engine's allocator did not give\n", Call);
    std::abort();
}

void* Place(void* Raw) {
    auto* const Bytes = static_cast<unsigned char*>(Raw);
    std::memcpy(Bytes + HeaderBytes - sizeof(NotACHeapSize), &NotACHeapSize, sizeof(NotACHeapSize));
    return Bytes + HeaderBytes;
}

void* RawOf(void* Given) { return static_cast<unsigned char*>(Given) - HeaderBytes; }

bool WithinLimit(const Blocks& B, std::size_t Count, std::size_t Freed) {
    return !B.Limit || B.Held - Freed + Count <= *B.Limit;
}

}  // namespace

void* FMemory::Malloc(SIZE_T Count, uint32 /*Alignment*/) { return Realloc(nullptr, Count); }

void* FMemory::Realloc(void* Original, SIZE_T Count, uint32 /*Alignment*/) {
    Blocks& B = TheBlocks();
    const std::lock_guard Lock(B.Mutex);
    std::size_t OldCount = 0;
    if (Original != nullptr) {
        const auto Found = B.Sizes.find(Original);
        if (Found == B.Sizes.end()) {
            NotEngineMemory("Realloc");
        }
        OldCount = Found->second;
    }
    if (Count > SIZE_MAX - HeaderBytes || !WithinLimit(B, Count, OldCount)) {
        return nullptr;
    }
    // Always a new block, as a game's allocator may give: no caller may count on staying put.
    void* const Raw = std::malloc(HeaderBytes + std::max<std::size_t>(Count, 1));
    if (Raw == nullptr) {
        return nullptr;
    }
    void* const Given = Place(Raw);
    if (Original != nullptr) {
        std::memcpy(Given, Original, std::min(OldCount, Count));
        B.Sizes.erase(Original);
        B.Held -= OldCount;
        std::free(RawOf(Original));
    }
    B.Sizes.emplace(Given, Count);
    B.Held += Count;
    return Given;
}

void FMemory::Free(void* Original) {
    if (Original == nullptr) {
        return;
    }
    Blocks& B = TheBlocks();
    const std::lock_guard Lock(B.Mutex);
    const auto Found = B.Sizes.find(Original);
    if (Found == B.Sizes.end()) {
        NotEngineMemory("Free");
    }
    B.Held -= Found->second;
    B.Sizes.erase(Found);
    std::free(RawOf(Original));
}

}  // namespace RC::Unreal

namespace StandIn::EngineMemory {

bool Owns(const void* Block) {
    auto& B = RC::Unreal::TheBlocks();
    const std::lock_guard Lock(B.Mutex);
    return B.Sizes.contains(Block);
}

std::size_t HeldBytes() {
    auto& B = RC::Unreal::TheBlocks();
    const std::lock_guard Lock(B.Mutex);
    return B.Held;
}

void Limit(std::optional<std::size_t> Bytes) {
    auto& B = RC::Unreal::TheBlocks();
    const std::lock_guard Lock(B.Mutex);
    B.Limit = Bytes;
}

}  // namespace StandIn::EngineMemory

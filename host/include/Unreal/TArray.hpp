#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <type_traits>

#include "HostGeneration.hpp"
#include "Unreal/FMemory.hpp"

namespace RC::Unreal {

using int32 = std::int32_t;

#if QVH_STAND_IN_HOST_GENERATION >= 4
// Whether a removal may give back memory, which may move what stays.
enum class EAllowShrinking : std::uint8_t { No, Yes, Default = Yes };
#endif

// The engine's dynamic array, header-only as in the host: its code is compiled into whoever uses
// it, its memory comes from the engine's allocator (FMemory). The layout (data pointer, element
// count, capacity) is the engine's and must not change. Only the calls both host generations are
// known to have are declared, and those of one generation only in that one. Any change of the
// capacity gives the elements a new block: nothing may hold on to the old one. Counts out of range
// end the process, as the engine's checks do; memory that cannot be had throws std::bad_alloc
// here, where the game would end.
template <class ElementType>
class TArray {
    static_assert(std::is_trivially_copyable_v<ElementType>, "the stand-in holds plain elements");

public:
    TArray() noexcept = default;
    ~TArray() { FMemory::Free(AllocatorInstance); }
    TArray(const TArray&) = delete;
    TArray& operator=(const TArray&) = delete;

    ElementType* GetData() noexcept { return AllocatorInstance; }
    const ElementType* GetData() const noexcept { return AllocatorInstance; }
    int32 Num() const noexcept { return ArrayNum; }
#if QVH_STAND_IN_HOST_GENERATION >= 4
    int32 GetSlack() const noexcept { return ArrayMax - ArrayNum; }
#else
    int32 Max() const noexcept { return ArrayMax; }
#endif

    // Count more elements, not initialised, at the end; the old count. Past the capacity the
    // array grows with slack, as the engine's does.
    int32 AddUninitialized(int32 Count = 1) {
        if (Count < 0 || Count > std::numeric_limits<int32>::max() - ArrayNum) {
            InvalidCount("AddUninitialized");
        }
        const int32 Old = ArrayNum;
        if (Old + Count > ArrayMax) {
            ResizeTo(SlackGrow(Old + Count));
        }
        ArrayNum = Old + Count;
        return Old;
    }
    // Count 0; keeps the memory when NewSize fits in it, else reallocates to hold NewSize.
    void Reset(int32 NewSize = 0) {
        if (NewSize < 0) {
            InvalidCount("Reset");
        }
        if (NewSize <= ArrayMax) {
            ArrayNum = 0;
        } else {
            Empty(NewSize);
        }
    }
    // Count 0, with room for Slack elements exactly.
    void Empty(int32 Slack = 0) {
        if (Slack < 0) {
            InvalidCount("Empty");
        }
        ArrayNum = 0;
        if (ArrayMax != Slack) {
            ResizeTo(Slack);
        }
    }
    void Reserve(int32 Number) {
        if (Number < 0) {
            InvalidCount("Reserve");
        }
        if (Number > ArrayMax) {
            ResizeTo(Number);
        }
    }
    void Shrink() {
        if (ArrayMax != ArrayNum) {
            ResizeTo(ArrayNum);
        }
    }
#if QVH_STAND_IN_HOST_GENERATION >= 4
    void RemoveAt(int32 Index, int32 Count, EAllowShrinking AllowShrinking = EAllowShrinking::Yes) {
        Remove(Index, Count, AllowShrinking != EAllowShrinking::No);
    }
#else
    void RemoveAt(int32 Index, int32 Count, bool bAllowShrinking = true) {
        Remove(Index, Count, bAllowShrinking);
    }
    void SetNumUninitialized(int32 NewNum, bool bAllowShrinking = true) {
        if (NewNum < 0) {
            InvalidCount("SetNumUninitialized");
        }
        if (NewNum > ArrayNum) {
            AddUninitialized(NewNum - ArrayNum);
        } else if (NewNum < ArrayNum) {
            Remove(NewNum, ArrayNum - NewNum, bAllowShrinking);
        }
    }
#endif

private:
    friend class FString;

    [[noreturn]] static void InvalidCount(const char* Call) {
        std::fprintf(stderr, "TArray::%s: a count out of range\n", Call);
        std::abort();
    }

    // The engine's growth: about 3/8 more than asked for, plus 16; the first small one to 4.
    static int32 SlackGrow(int32 Needed) {
        const std::int64_t Grown =
            Needed > 4 ? std::int64_t{Needed} + Needed * std::int64_t{3} / 8 + 16 : 4;
        return Grown > std::numeric_limits<int32>::max() ? std::numeric_limits<int32>::max()
                                                         : static_cast<int32>(Grown);
    }

    void Remove(int32 Index, int32 Count, bool AllowShrinking) {
        if (Index < 0 || Count < 0 || Count > ArrayNum - Index) {
            InvalidCount("RemoveAt");
        }
        if (Count == 0) {
            return;
        }
        std::memmove(AllocatorInstance + Index, AllocatorInstance + Index + Count,
                     static_cast<std::size_t>(ArrayNum - Index - Count) * sizeof(ElementType));
        ArrayNum -= Count;
        // The engine gives back slack as it sees fit; here always, so that no caller counts on
        // the memory staying where it was.
        if (AllowShrinking && ArrayMax != ArrayNum) {
            ResizeTo(ArrayNum);
        }
    }

    void ResizeTo(int32 NewMax) {
        if (NewMax == 0) {
            FMemory::Free(AllocatorInstance);
            AllocatorInstance = nullptr;
            ArrayMax = 0;
            return;
        }
        void* const Moved = FMemory::Realloc(
            AllocatorInstance, static_cast<std::size_t>(NewMax) * sizeof(ElementType));
        if (Moved == nullptr) {
            throw std::bad_alloc();
        }
        AllocatorInstance = static_cast<ElementType*>(Moved);
        ArrayMax = NewMax;
    }

    ElementType* AllocatorInstance = nullptr;
    int32 ArrayNum = 0;
    int32 ArrayMax = 0;
};

}  // namespace RC::Unreal

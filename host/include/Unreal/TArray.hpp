#pragma once

#include <cstdint>

namespace RC::Unreal {

using int32 = std::int32_t;

// The engine's dynamic array, as far as engine strings need it: the layout (data pointer, element
// count, capacity) is the engine's and must not change. Its memory comes from the engine's
// allocator.
template <class ElementType>
class TArray {
public:
    ElementType* GetData() noexcept { return AllocatorInstance; }
    const ElementType* GetData() const noexcept { return AllocatorInstance; }
    int32 Num() const noexcept { return ArrayNum; }
    int32 Max() const noexcept { return ArrayMax; }

private:
    friend class FString;

    ElementType* AllocatorInstance = nullptr;
    int32 ArrayNum = 0;
    int32 ArrayMax = 0;
};

}  // namespace RC::Unreal

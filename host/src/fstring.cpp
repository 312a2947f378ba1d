#include "Unreal/FString.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>
#include <utility>

namespace RC::Unreal {
namespace {

constexpr TCHAR EmptyText[] = {0};

// The engine's allocator, played by the C heap: memory it did not give cannot be reallocated or
// freed through it.
TCHAR* Allocate(std::size_t Count) {
    // The count the array keeps includes the NUL and is a signed 32-bit number.
    if (Count >= static_cast<std::size_t>(std::numeric_limits<int32>::max())) {
        throw std::runtime_error("FString: more characters than an engine string holds");
    }
    auto* const Units = static_cast<TCHAR*>(std::malloc((Count + 1) * sizeof(TCHAR)));
    if (Units == nullptr) {
        throw std::bad_alloc();
    }
    return Units;
}

[[noreturn]] void NullArgument() {
    // The engine reads the text without looking: a null pointer is a crash there too.
    std::fputs("FString: constructed from a null pointer\n", stderr);
    std::abort();
}

}  // namespace

FString::FString(const TCHAR* Str) {
    if (Str == nullptr) {
        NullArgument();
    }
    if (*Str == 0) {
        return;
    }
    const std::size_t Length = std::char_traits<TCHAR>::length(Str);
    TCHAR* const Units = Allocate(Length);
    std::memcpy(Units, Str, (Length + 1) * sizeof(TCHAR));
    Data.AllocatorInstance = Units;
    Data.ArrayNum = Data.ArrayMax = static_cast<int32>(Length + 1);
}

FString::FString(TCHAR* Str) {
    if (Str == nullptr) {
        NullArgument();
    }
    const std::size_t Length = std::char_traits<TCHAR>::length(Str);
    if (Length >= static_cast<std::size_t>(std::numeric_limits<int32>::max())) {
        throw std::runtime_error("FString: more characters than an engine string holds");
    }
    // The caller's buffer becomes the array's own, grown in place as the engine's array would.
    auto* const Units = static_cast<TCHAR*>(std::realloc(Str, (Length + 1) * sizeof(TCHAR)));
    if (Units == nullptr) {
        throw std::bad_alloc();
    }
    Data.AllocatorInstance = Units;
    Data.ArrayNum = Data.ArrayMax = static_cast<int32>(Length + 1);
}

FString::FString(const FString& Other)
    : FString(Other.Data.AllocatorInstance ? Other.Data.AllocatorInstance : EmptyText) {}

FString& FString::operator=(const FString& Other) {
    if (this != &Other) {
        FString Copy(Other);
        std::swap(Data.AllocatorInstance, Copy.Data.AllocatorInstance);
        std::swap(Data.ArrayNum, Copy.Data.ArrayNum);
        std::swap(Data.ArrayMax, Copy.Data.ArrayMax);
    }
    return *this;
}

FString::~FString() { std::free(Data.AllocatorInstance); }

#if QVH_STAND_IN_HOST_GENERATION >= 4
const TCHAR* FString::operator*() const noexcept {
#else
const TCHAR* FString::GetCharArray() const noexcept {
#endif
    return Data.AllocatorInstance ? Data.AllocatorInstance : EmptyText;
}

int32 FString::Len() const noexcept { return Data.ArrayNum > 0 ? Data.ArrayNum - 1 : 0; }

}  // namespace RC::Unreal

#include "Unreal/FString.hpp"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <new>
#include <stdexcept>
#include <string>

namespace RC::Unreal {
namespace {

constexpr TCHAR EmptyText[] = {0};

[[noreturn]] void NullArgument() {
    // The engine reads the text without looking: a null pointer is a crash there too.
    std::fputs("FString: constructed from a null pointer\n", stderr);
    std::abort();
}

// Str's length; throws when its text and NUL do not fit the array's signed 32-bit count.
std::size_t LengthOf(const TCHAR* Str) {
    if (Str == nullptr) {
        NullArgument();
    }
    const std::size_t Length = std::char_traits<TCHAR>::length(Str);
    if (Length >= static_cast<std::size_t>(std::numeric_limits<int32>::max())) {
        throw std::runtime_error("FString: more characters than an engine string holds");
    }
    return Length;
}

}  // namespace

FString::FString(const TCHAR* Str) {
    // As the host's: a length scan, room in the array (with the engine's slack), a copy.
    const std::size_t Length = LengthOf(Str);
    if (Length == 0) {
        return;
    }
    Data.AddUninitialized(static_cast<int32>(Length + 1));
    std::memcpy(Data.GetData(), Str, (Length + 1) * sizeof(TCHAR));
}

FString::FString(TCHAR* Str) {
    const std::size_t Length = LengthOf(Str);
    // The caller's buffer becomes the array's own, reallocated by the engine's allocator, which
    // ends the process for memory it did not give.
    void* const Units = FMemory::Realloc(Str, (Length + 1) * sizeof(TCHAR));
    if (Units == nullptr) {
        throw std::bad_alloc();
    }
    Data.AllocatorInstance = static_cast<TCHAR*>(Units);
    Data.ArrayNum = Data.ArrayMax = static_cast<int32>(Length + 1);
}

FString::FString(const FString& Other) { *this = Other; }

FString& FString::operator=(const FString& Other) {
    // The whole array, as the engine copies it: NULs inside the text too.
    if (this != &Other) {
        const int32 Count = Other.Data.Num();
        Data.Reset(Count);
        if (Count > 0) {
            Data.AddUninitialized(Count);
            std::memcpy(Data.GetData(), Other.Data.GetData(),
                        static_cast<std::size_t>(Count) * sizeof(TCHAR));
        }
    }
    return *this;
}

FString::~FString() = default;

#if QVH_STAND_IN_HOST_GENERATION >= 4
const TCHAR* FString::operator*() const noexcept {
#else
const TCHAR* FString::GetCharArray() const noexcept {
#endif
    return Data.Num() > 0 ? Data.GetData() : EmptyText;
}

int32 FString::Len() const noexcept { return Data.Num() > 0 ? Data.Num() - 1 : 0; }

}  // namespace RC::Unreal

#pragma once

#include <cstdint>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "HostGeneration.hpp"
#include "Unreal/TArray.hpp"

namespace RC::Unreal {

using TCHAR = CharType;

// The engine's string: a TArray of UTF-16 units whose count includes the terminating NUL, or is 0
// for the empty string. Its memory is the engine allocator's. It has no move operations:
// assigning, even from a temporary, copies.
class RC_UE4SS_API FString {
public:
    FString() noexcept = default;
    // Copies Str up to its first NUL. Str must not be null. Throws std::runtime_error for more
    // than INT32_MAX characters.
    explicit FString(const TCHAR* Str);
    // Takes Str's buffer as its own and reallocates it through the engine's allocator: only for
    // a buffer that allocator gave.
    explicit FString(TCHAR* Str);
    // The whole array, NULs inside the text included.
    FString(const FString& Other);
    FString& operator=(const FString& Other);
    ~FString();

#if QVH_STAND_IN_HOST_GENERATION >= 4
    // The array itself, NUL included; its data is null for a string that never held text.
    TArray<TCHAR>& GetCharArray() noexcept { return Data; }
    const TArray<TCHAR>& GetCharArray() const noexcept { return Data; }
    // The characters, NUL-terminated; "" for the empty string.
    const TCHAR* operator*() const noexcept;
    [[deprecated("GetCharArray gives the array")]] TArray<TCHAR>& GetCharTArray() noexcept {
        return Data;
    }
#else
    // The characters, NUL-terminated; "" for the empty string.
    const TCHAR* GetCharArray() const noexcept;
    TArray<TCHAR>& GetCharTArray() noexcept { return Data; }
#endif
    // Number of characters, not counting the terminating NUL.
    int32 Len() const noexcept;

private:
    TArray<TCHAR> Data;
};

}  // namespace RC::Unreal

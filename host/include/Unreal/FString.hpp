#pragma once

#include <cstdint>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "Unreal/TArray.hpp"

namespace RC::Unreal {

using TCHAR = CharType;

// The engine's string: a TArray of UTF-16 units whose count includes the terminating NUL. It has
// no move operations: assigning, even from a temporary, copies.
class RC_UE4SS_API FString {
public:
    FString() noexcept = default;
    // Copies Str up to its first NUL. Str must not be null. Throws std::runtime_error for more
    // than INT32_MAX characters.
    explicit FString(const TCHAR* Str);
    // Takes Str's buffer as its own and reallocates it through the engine's allocator, which
    // frees memory it never gave: only for a buffer the engine allocated.
    explicit FString(TCHAR* Str);
    FString(const FString& Other);
    FString& operator=(const FString& Other);
    ~FString();

    // The characters, NUL-terminated; "" for the empty string.
    const TCHAR* GetCharArray() const noexcept;
    TArray<TCHAR>& GetCharTArray() noexcept { return Data; }
    // Number of characters, not counting the terminating NUL.
    int32 Len() const noexcept;

private:
    TArray<TCHAR> Data;
};

}  // namespace RC::Unreal

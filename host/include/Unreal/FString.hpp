#pragma once

#include <cstdint>

#include "File/Macros.hpp"
#include "HostApi.hpp"

namespace RC::Unreal {

using TCHAR = File::CharType;
using int32 = std::int32_t;

// The engine's string: a dynamic array of UTF-16 units. Its layout is the engine's and must not
// change: data pointer, element count including the terminating NUL, capacity.
class RC_UE4SS_API FString {
public:
    FString() noexcept = default;
    // Copies Str up to its first NUL. A null or empty Str gives the empty string.
    explicit FString(const TCHAR* Str);
    FString(const FString& Other);
    FString(FString&& Other) noexcept;
    FString& operator=(const FString& Other);
    FString& operator=(FString&& Other) noexcept;
    ~FString();

    // The characters, NUL-terminated; never null.
    const TCHAR* GetCharArray() const noexcept;
    // Number of characters, not counting the terminating NUL.
    int32 Len() const noexcept;

private:
    TCHAR* Data = nullptr;
    int32 ArrayNum = 0;
    int32 ArrayMax = 0;
};

}  // namespace RC::Unreal

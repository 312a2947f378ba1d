#pragma once

// The two generations of the host in use (3.x and 4.x) declare two things the mod needs in
// different ways, and the mod builds against either. Both choices are made here, by what the
// host's headers declare, never by a version number:
// - UFunction: 4.x declares it in Unreal/CoreUObject/UObject/Class.hpp, after the engine's own
//   layout; 3.x in Unreal/UFunction.hpp, which 4.x may no longer have.
// - An engine string's characters: 3.x's FString::GetCharArray() gives them; 4.x's gives the
//   array, and operator* gives the characters.

#include <concepts>

#if __has_include("Unreal/CoreUObject/UObject/Class.hpp")
#include "Unreal/CoreUObject/UObject/Class.hpp"
#else
#include "Unreal/UFunction.hpp"
#endif
#include "File/Macros.hpp"
#include "Unreal/FString.hpp"

namespace QVH {

// Text's characters, NUL-terminated: "" for the empty string, never null. A template, so that
// only the branch the host's FString has is compiled.
template <class EngineString>
const RC::CharType* CharsOf(const EngineString& Text) noexcept {
    if constexpr (requires {
                      { Text.GetCharArray() } -> std::convertible_to<const RC::CharType*>;
                  }) {
        return Text.GetCharArray();
    } else {
        return *Text;
    }
}

}  // namespace QVH

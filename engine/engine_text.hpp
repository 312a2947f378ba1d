#pragma once

// An engine string's own array, for writing text straight into it, with only the calls both host
// generations' arrays are known to have. Where the generations differ, the call is chosen here by
// what the host's headers declare, never by a version number:
// - the array: 3.x's FString::GetCharTArray(); 4.x's GetCharArray() (GetCharTArray deprecated);
// - the capacity: 3.x's Max(); 4.x's Num() + GetSlack();
// - removing without giving back memory: 3.x's RemoveAt(..., false); 4.x's RemoveAt(...,
//   EAllowShrinking::No), an enum 3.x does not have.
// An engine string's count includes its NUL, or is 0: a writer ends with both right.

#include <concepts>
#include <cstdint>
#include <type_traits>

#include "Unreal/FString.hpp"

namespace QVH {

// The longest engine string: its length field is a signed 32-bit count that includes the NUL.
inline constexpr std::uint64_t MaxEngineTextUnits = 0x7FFF'FFFE;

// Text's array of characters, its count holding the NUL.
template <class EngineString>
auto& CharArrayOf(EngineString& Text) noexcept {
    if constexpr (requires { Text.GetCharArray().GetData(); }) {
        return Text.GetCharArray();
    } else {
        return Text.GetCharTArray();
    }
}

// How many elements Array holds room for.
template <class Array>
std::int32_t CapacityOf(const Array& Units) noexcept {
    if constexpr (requires { Units.Max(); }) {
        return Units.Max();
    } else {
        return Units.Num() + Units.GetSlack();
    }
}

namespace detail {

// The "No" of whichever enum the host's RemoveAt takes to say whether it may shrink.
struct NoShrinking {
    template <class Enum>
        requires std::is_enum_v<Enum>
    constexpr operator Enum() const noexcept {
        return Enum::No;
    }
};

}  // namespace detail

// Takes the last Count elements off Array, keeping its memory where it is.
template <class Array>
void RemoveLastKeepingMemory(Array& Units, std::int32_t Count) {
    if constexpr (requires { Units.RemoveAt(0, 0, detail::NoShrinking{}); }) {
        Units.RemoveAt(Units.Num() - Count, Count, detail::NoShrinking{});
    } else {
        Units.RemoveAt(Units.Num() - Count, Count, false);
    }
}

}  // namespace QVH

#pragma once

// How the engine lays out CPPCommsCall's parameter block, which the hooks receive: the
// Blueprint's parameters in their order, each at its own alignment. The Blueprint side must keep
// that order: CallType, then Payload.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>

#include "Unreal/FString.hpp"

namespace QVH {

// The CallTypes the widget sends: a listing of the animation folder, and one file's text. Any
// other value is refused with one log line.
inline constexpr std::int32_t ListCallType = 1;
inline constexpr std::int32_t ReadCallType = 2;

// CallType, a signed 32-bit integer, first.
inline constexpr std::size_t CallTypeOffset = 0;
// Payload, an engine string, next: its pointer's 8-byte alignment leaves four unused bytes.
inline constexpr std::size_t PayloadOffset = 8;
// The block up to the end of Payload.
inline constexpr std::size_t CommsCallParamsSize = PayloadOffset + sizeof(RC::Unreal::FString);

// A 32-bit build, or an engine string of another alignment, would move Payload.
static_assert(PayloadOffset ==
              (CallTypeOffset + sizeof(std::int32_t) + alignof(RC::Unreal::FString) - 1) /
                  alignof(RC::Unreal::FString) * alignof(RC::Unreal::FString));

// CallType in a parameter block (read bytewise: the block's bytes are not an int32 object).
inline std::int32_t CallTypeIn(const void* Params) {
    std::int32_t CallType = 0;
    std::memcpy(&CallType, static_cast<const unsigned char*>(Params) + CallTypeOffset,
                sizeof(CallType));
    return CallType;
}

// Payload in a parameter block, once an engine string lives there.
inline RC::Unreal::FString& PayloadIn(void* Params) {
    return *std::launder(reinterpret_cast<RC::Unreal::FString*>(
        static_cast<unsigned char*>(Params) + PayloadOffset));
}
inline const RC::Unreal::FString& PayloadIn(const void* Params) {
    return *std::launder(reinterpret_cast<const RC::Unreal::FString*>(
        static_cast<const unsigned char*>(Params) + PayloadOffset));
}

}  // namespace QVH

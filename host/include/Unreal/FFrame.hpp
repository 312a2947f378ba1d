#pragma once

#include <cstdint>

namespace RC::Unreal {

using uint8 = std::uint8_t;

// The script interpreter's stack frame of one Blueprint function call.
struct FFrame {
    uint8* LocalsBuffer = nullptr;

    // The pointer to the called function's parameter block. Writes made through it before the
    // function's body runs are what the body sees.
    uint8*& Locals() noexcept { return LocalsBuffer; }
};

}  // namespace RC::Unreal

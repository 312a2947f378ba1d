#pragma once

#include <cstdint>

namespace StandIn {
struct ScriptFrames;
}  // namespace StandIn

namespace RC::Unreal {

using uint8 = std::uint8_t;

// The script interpreter's stack frame of one Blueprint function call. The engine makes it; mods
// only read it.
struct FFrame {
    // The called function's parameter block. Writes made there before the function's body runs
    // are what the body sees. Not const, as the host declares it.
    auto Locals() noexcept -> uint8* { return LocalsBuffer; }

private:
    friend struct ::StandIn::ScriptFrames;
    uint8* LocalsBuffer = nullptr;
};

}  // namespace RC::Unreal

#pragma once

#include <cstddef>
#include <cstdint>

#include "File/Macros.hpp"
#include "Unreal/FString.hpp"
#include "bridge/comms_call_params.hpp"

namespace QVH {

// One CPPCommsCall's parameters as the engine lays them out from the Blueprint's parameter list,
// owning the engine string in them: for the programs that play the engine's side (qvh-host, the
// tests, the benchmarks, the fuzz targets); the mod itself only ever meets the engine's blocks.
// Guard bytes fill the gap between CallType and Payload and follow the string, so a caller can
// tell whether anything else was written.
class CommsCallBlock {
public:
    // Payload may hold NULs, as an engine string may. Throws what the engine string throws.
    CommsCallBlock(std::int32_t CallType, RC::StringViewType Payload);
    ~CommsCallBlock();
    CommsCallBlock(const CommsCallBlock&) = delete;
    CommsCallBlock& operator=(const CommsCallBlock&) = delete;

    void* Data() noexcept { return Bytes; }
    std::int32_t CallType() const noexcept { return CallTypeIn(Bytes); }
    RC::Unreal::FString& Payload() noexcept { return PayloadIn(Bytes); }
    // Every unit of Payload, NULs included.
    RC::StringType PayloadUnits() const;
    bool GuardsIntact() const noexcept;

private:
    static constexpr std::size_t TailSize = 16;
    static constexpr unsigned char Guard = 0xA5;

    alignas(RC::Unreal::FString) unsigned char Bytes[CommsCallParamsSize + TailSize];
};

// Every unit of the Payload of a parameter block, NULs included.
RC::StringType PayloadUnitsIn(const void* Params);

}  // namespace QVH

#pragma once

#include <cstdint>

#include "File/Macros.hpp"
#include "Unreal/FString.hpp"
#include "bridge/comms_call_params.hpp"

namespace QVH::Test {

// The parameters of one CPPCommsCall as the engine lays them out from the Blueprint's parameter
// list. Guard bytes fill the gap between CallType and Payload and follow the string, so a test
// can tell whether anything else was written.
class CommsCallBlock {
public:
    CommsCallBlock(std::int32_t CallType, const RC::StringType& Payload);
    ~CommsCallBlock();
    CommsCallBlock(const CommsCallBlock&) = delete;
    CommsCallBlock& operator=(const CommsCallBlock&) = delete;

    void* Data() { return Bytes; }
    std::int32_t CallType() const;
    RC::StringType Payload() const;
    bool GuardsIntact() const;

private:
    static constexpr std::size_t TailSize = 16;
    static constexpr unsigned char Guard = 0xA5;

    alignas(RC::Unreal::FString) unsigned char Bytes[CommsCallParamsSize + TailSize];
};

// Payload of a block seen through the untyped pointer the engine passes around.
RC::StringType PayloadAt(const void* Params);

// Runs DispatchCommsCall on Block as the host runs a pre-call hook.
void Dispatch(CommsCallBlock& Block, void* CustomData = nullptr);

}  // namespace QVH::Test

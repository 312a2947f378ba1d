#include "tests/support/comms_call_block.hpp"

#include <cstring>
#include <new>

#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FFrame.hpp"
#include "Unreal/UFunctionStructs.hpp"
#include "anim_files/host_generations.hpp"
#include "bridge/dispatch_comms_call.hpp"

namespace QVH::Test {

CommsCallBlock::CommsCallBlock(std::int32_t CallType, const RC::StringType& Payload) {
    std::memset(Bytes, Guard, sizeof(Bytes));
    std::memcpy(Bytes + CallTypeOffset, &CallType, sizeof(CallType));
    new (Bytes + PayloadOffset) RC::Unreal::FString(Payload.c_str());
}

CommsCallBlock::~CommsCallBlock() { PayloadIn(Bytes).~FString(); }

std::int32_t CommsCallBlock::CallType() const { return CallTypeIn(Bytes); }

RC::StringType CommsCallBlock::Payload() const { return PayloadAt(Bytes); }

bool CommsCallBlock::GuardsIntact() const {
    for (std::size_t I = CallTypeOffset + sizeof(std::int32_t); I < PayloadOffset; ++I) {
        if (Bytes[I] != Guard) {
            return false;
        }
    }
    for (std::size_t I = CommsCallParamsSize; I < sizeof(Bytes); ++I) {
        if (Bytes[I] != Guard) {
            return false;
        }
    }
    return true;
}

RC::StringType PayloadAt(const void* Params) {
    const RC::Unreal::FString& Payload = PayloadIn(Params);
    return RC::StringType(QVH::CharsOf(Payload), static_cast<std::size_t>(Payload.Len()));
}

void Dispatch(CommsCallBlock& Block, void* CustomData) {
    RC::Unreal::FFrame Frame = StandIn::ScriptFrames::For(Block.Data());
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    QVH::DispatchCommsCall(Context, CustomData);
}

}  // namespace QVH::Test

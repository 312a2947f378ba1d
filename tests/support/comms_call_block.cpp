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
    std::memcpy(Bytes, &CallType, sizeof(CallType));
    new (Bytes + PayloadOffset) RC::Unreal::FString(Payload.c_str());
}

CommsCallBlock::~CommsCallBlock() {
    std::launder(reinterpret_cast<RC::Unreal::FString*>(Bytes + PayloadOffset))->~FString();
}

std::int32_t CommsCallBlock::CallType() const {
    std::int32_t Value = 0;
    std::memcpy(&Value, Bytes, sizeof(Value));
    return Value;
}

RC::StringType CommsCallBlock::Payload() const { return PayloadAt(Bytes); }

bool CommsCallBlock::GuardsIntact() const {
    for (std::size_t I = sizeof(std::int32_t); I < PayloadOffset; ++I) {
        if (Bytes[I] != Guard) {
            return false;
        }
    }
    for (std::size_t I = PayloadOffset + sizeof(RC::Unreal::FString); I < sizeof(Bytes); ++I) {
        if (Bytes[I] != Guard) {
            return false;
        }
    }
    return true;
}

RC::StringType PayloadAt(const void* Params) {
    const auto* Payload = std::launder(reinterpret_cast<const RC::Unreal::FString*>(
        static_cast<const unsigned char*>(Params) + 8));
    return RC::StringType(QVH::CharsOf(*Payload), static_cast<std::size_t>(Payload->Len()));
}

void Dispatch(CommsCallBlock& Block, void* CustomData) {
    RC::Unreal::FFrame Frame = StandIn::ScriptFrames::For(Block.Data());
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    QVH::DispatchCommsCall(Context, CustomData);
}

}  // namespace QVH::Test

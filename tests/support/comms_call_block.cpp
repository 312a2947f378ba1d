#include "tests/support/comms_call_block.hpp"

#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FFrame.hpp"
#include "Unreal/UFunctionStructs.hpp"
#include "bridge/dispatch_comms_call.hpp"

namespace QVH::Test {

RC::StringType PayloadAt(const void* Params) { return PayloadUnitsIn(Params); }

void Dispatch(CommsCallBlock& Block, void* CustomData) {
    RC::Unreal::FFrame Frame = StandIn::ScriptFrames::For(Block.Data());
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    QVH::DispatchCommsCall(Context, CustomData);
}

}  // namespace QVH::Test

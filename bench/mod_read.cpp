#include "bench/mod_read.hpp"

#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FFrame.hpp"
#include "Unreal/UFunctionStructs.hpp"
#include "bridge/dispatch_comms_call.hpp"

namespace QVH::Bench {

void ModReadAnimationFile(CommsCallBlock& Block) {
    RC::Unreal::FFrame Frame = StandIn::ScriptFrames::For(Block.Data());
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    QVH::DispatchCommsCall(Context, nullptr);
}

}  // namespace QVH::Bench

#include "tests/support/comms_call_block.hpp"

#include <gtest/gtest.h>
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FFrame.hpp"
#include "Unreal/UFunctionStructs.hpp"

#include "bridge/comms_function_path.hpp"
#include "bridge/dispatch_comms_call.hpp"
#include "tests/support/captured_log.hpp"

namespace QVH::Test {

RC::StringType PayloadAt(const void* Params) { return PayloadUnitsIn(Params); }

void ExpectEachCallAnsweredOnce() {
    struct Case {
        std::int32_t CallType;
        RC::StringType Answer;
        std::size_t LogLines;
    } Cases[] = {
        {ReadCallType, STR("{}"), 0},
        {0, STR("Idle.json"), 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.CallType);
        CapturedLog PerCall;
        CommsCallBlock Block(C.CallType, STR("Idle.json"));
        StandIn::InvokeScriptFunction(CommsFunctionPathView, Block.Data());
        EXPECT_EQ(Block.PayloadUnits(), C.Answer);
        EXPECT_EQ(PerCall.Texts().size(), C.LogLines);
    }
}

void Dispatch(CommsCallBlock& Block, void* CustomData) {
    RC::Unreal::FFrame Frame = StandIn::ScriptFrames::For(Block.Data());
    RC::Unreal::UnrealScriptFunctionCallableContext Context(nullptr, Frame, nullptr);
    QVH::DispatchCommsCall(Context, CustomData);
}

}  // namespace QVH::Test

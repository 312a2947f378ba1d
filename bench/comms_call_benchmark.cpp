// A whole CPPCommsCall as the Blueprint makes it: the stand-in host's invoker runs the mod's
// hook on a real parameter block, which is what the game's frame waits for.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/FString.hpp"
#include "Unreal/UObjectGlobals.hpp"
#include "bench/inputs.hpp"
#include "bench/page_faults.hpp"
#include "bridge/comms_call_block.hpp"
#include "bridge/comms_function_path.hpp"
#include "bridge/dispatch_comms_call.hpp"
#include "engine/host_generations.hpp"

namespace QVH::Bench {
namespace {

// Hooks the mod's dispatch on CPPCommsCall, as the mod does once it has found the function.
void HookOnce() {
    static const bool Hooked = [] {
        auto* const Function =
            static_cast<RC::Unreal::UFunction*>(StandIn::MakeFindable(QVH::CommsFunctionPathView));
        RC::Unreal::UObjectGlobals::RegisterHook(
            Function, QVH::DispatchCommsCall,
            [](RC::Unreal::UnrealScriptFunctionCallableContext&, void*) {}, nullptr);
        return true;
    }();
    (void)Hooked;
}

void CommsCallRead(benchmark::State& State, TextKind Kind, std::uint64_t Bytes) {
    const AnimationInput& Input = Inputs().Animation(Kind, Bytes);
    Inputs().Files().Enter();
    HookOnce();
    const RC::StringType Name(Input.Name.begin(), Input.Name.end());
    CommsCallBlock Block(ReadCallType, STR(""));
    const PageFaultCounter Faults;
    for (auto _ : State) {
        // The Blueprint puts the name in Payload; the last call's text goes with it.
        Block.Payload() = RC::Unreal::FString(Name.c_str());
        StandIn::InvokeScriptFunction(QVH::CommsFunctionPathView, Block.Data());
    }
    Faults.Report(State);
    if (Block.Payload().Len() != static_cast<std::int64_t>(Input.DecodedUnits)) {
        State.SkipWithError("the call did not give the file's text");
    }
    State.SetBytesProcessed(State.iterations() * static_cast<std::int64_t>(Bytes));
}

void CommsCallList(benchmark::State& State, int Entries) {
    const ListingInput& Input = Inputs().Listing(Entries);
    Input.Game->Enter();
    HookOnce();
    CommsCallBlock Block(ListCallType, STR(""));
    const PageFaultCounter Faults;
    for (auto _ : State) {
        StandIn::InvokeScriptFunction(QVH::CommsFunctionPathView, Block.Data());
    }
    Faults.Report(State);
    if (Block.Payload().Len() != static_cast<std::int64_t>(Input.Units)) {
        State.SkipWithError("the call did not give the listing");
    }
    State.SetItemsProcessed(State.iterations() * Entries);
}

const bool Registered = [] {
    for (const std::uint64_t Bytes : {std::uint64_t{4} << 10, std::uint64_t{256} << 10}) {
        const std::string Name = "BM_CommsCall/read/ascii/" + SizeName(Bytes);
        benchmark::RegisterBenchmark(Name.c_str(), CommsCallRead, TextKind::Ascii, Bytes)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("BM_CommsCall/list/10000", CommsCallList, 10000)
        ->UseRealTime()
        ->Unit(benchmark::kMicrosecond);
    return true;
}();

}  // namespace
}  // namespace QVH::Bench

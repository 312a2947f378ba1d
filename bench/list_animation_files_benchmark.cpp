// Folder listings of every generated size: the mod's ListAnimationFiles beside the literal
// pipeline and the floor.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/page_faults.hpp"

#include "anim_files/list_animation_files.hpp"
#include "bench/floor.hpp"
#include "bench/inputs.hpp"
#include "bench/literal_pipeline.hpp"

namespace QVH::Bench {
namespace {

using ListFunction = RC::Unreal::FString (*)();

void ListBenchmark(benchmark::State& State, ListFunction List, int Entries) {
    const ListingInput& Input = Inputs().Listing(Entries);
    Input.Game->Enter();
    std::int64_t Units = -1;
    const PageFaultCounter Faults;
    for (auto _ : State) {
        const RC::Unreal::FString Listing = List();
        Units = Listing.Len();
        benchmark::DoNotOptimize(Units);
    }
    Faults.Report(State);
    if (Units != static_cast<std::int64_t>(Input.Units)) {
        State.SkipWithError(
            ("listed " + std::to_string(Units) + " units, expected " + std::to_string(Input.Units))
                .c_str());
    }
    State.SetItemsProcessed(State.iterations() * Entries);
}

void Register(const std::string& Function, ListFunction List) {
    for (const int Entries : ListingSizes) {
        const std::string Name = Function + "/" + std::to_string(Entries);
        benchmark::RegisterBenchmark(Name.c_str(), ListBenchmark, List, Entries)
            ->UseRealTime()
            ->Unit(benchmark::kMicrosecond);
    }
}

const bool Registered = [] {
    Register("BM_ListAnimationFiles", QVH::ListAnimationFiles);
    Register("BM_LiteralListAnimationFiles", LiteralListAnimationFiles);
    Register("BM_FloorListAnimationFiles", FloorListAnimationFiles);
    return true;
}();

}  // namespace
}  // namespace QVH::Bench

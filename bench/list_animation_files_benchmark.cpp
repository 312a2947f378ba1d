// Folder listings of every generated size: the mod's ListAnimationFiles beside the literal
// pipeline and the floor.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <string>

#include "bench/page_faults.hpp"

#include "anim_files/list_animation_files.hpp"
#include "bench/floor.hpp"
#include "bench/inputs.hpp"
#include "bench/literal_pipeline.hpp"

namespace QVH::Bench {
namespace {

// The mod's listing is nothing when the folder cannot be listed; its length is taken where it
// lies, since copying it out would add to what is measured.
std::int64_t Length(const std::optional<RC::Unreal::FString>& Listing) {
    return Listing ? Listing->Len() : -1;
}
std::int64_t Length(const RC::Unreal::FString& Listing) { return Listing.Len(); }

template <class ListFunction>
void ListBenchmark(benchmark::State& State, ListFunction List, int Entries) {
    const ListingInput& Input = Inputs().Listing(Entries);
    Input.Game->Enter();
    std::int64_t Units = -1;
    const PageFaultCounter Faults;
    for (auto _ : State) {
        const auto Listing = List();
        Units = Length(Listing);
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

template <class ListFunction>
void Register(const std::string& Function, ListFunction List) {
    for (const int Entries : ListingSizes) {
        const std::string Name = Function + "/" + std::to_string(Entries);
        benchmark::RegisterBenchmark(Name.c_str(), ListBenchmark<ListFunction>, List, Entries)
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

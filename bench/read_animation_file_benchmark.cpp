// File reads of every generated size and kind: the mod's ReadAnimationFile beside the literal
// pipeline and the floor.
#include <benchmark/benchmark.h>

#include <string>

#include "bench/page_faults.hpp"

#include "bench/floor.hpp"
#include "bench/inputs.hpp"
#include "bench/literal_pipeline.hpp"
#include "bench/mod_read.hpp"

namespace QVH::Bench {
namespace {

using ReadFunction = RC::Unreal::FString (*)(RC::Unreal::FString);
// The length each way of reading must give for an input, to check it read the whole file.
using ExpectedUnits = std::uint64_t (*)(const AnimationInput&);

void ReadBenchmark(benchmark::State& State, ReadFunction Read, ExpectedUnits Expected,
                   TextKind Kind, std::uint64_t Bytes) {
    const AnimationInput& Input = Inputs().Animation(Kind, Bytes);
    Inputs().Files().Enter();
    const RC::StringType Name(Input.Name.begin(), Input.Name.end());
    std::int64_t Units = -1;
    const PageFaultCounter Faults;
    for (auto _ : State) {
        // Each way takes the name as an engine string made anew each time, so that all pay the
        // same for it (the dispatch itself reads the name from Payload in place).
        const RC::Unreal::FString Text = Read(RC::Unreal::FString(Name.c_str()));
        Units = Text.Len();
        benchmark::DoNotOptimize(Units);
    }
    Faults.Report(State);
    if (Units != static_cast<std::int64_t>(Expected(Input))) {
        State.SkipWithError(("read " + std::to_string(Units) + " units, expected " +
                             std::to_string(Expected(Input)))
                                .c_str());
    }
    State.SetBytesProcessed(State.iterations() * static_cast<std::int64_t>(Bytes));
}

void Register(const std::string& Function, ReadFunction Read, ExpectedUnits Expected) {
    for (const TextKind Kind : AnimationKinds) {
        for (const std::uint64_t Bytes : AnimationSizes) {
            const std::string Name = Function + "/" + KindName(Kind) + "/" + SizeName(Bytes);
            benchmark::RegisterBenchmark(Name.c_str(), ReadBenchmark, Read, Expected, Kind, Bytes)
                ->UseRealTime()
                ->Unit(benchmark::kMicrosecond);
        }
    }
}

const bool Registered = [] {
    Register("BM_ReadAnimationFile", ModReadAnimationFile,
             [](const AnimationInput& Input) { return Input.DecodedUnits; });
    Register("BM_LiteralReadAnimationFile", LiteralReadAnimationFile,
             [](const AnimationInput& Input) { return Input.WidenedUnits(); });
    Register("BM_FloorReadAnimationFile", FloorReadAnimationFile,
             [](const AnimationInput& Input) { return Input.Bytes; });
    return true;
}();

}  // namespace
}  // namespace QVH::Bench

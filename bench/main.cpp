// Runs the benchmarks and prints how the mod compares with the floor and the literal pipeline.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>

#include "bench/comparison.hpp"
#include "bench/inputs.hpp"

int main(int Argc, char** Argv) {
    benchmark::Initialize(&Argc, Argv);
    if (benchmark::ReportUnrecognizedArguments(Argc, Argv)) {
        return 1;
    }
    // Every input is written, and on the disk, before the first timing starts.
    for (const qvh_bench::TextKind Kind : qvh_bench::AnimationKinds) {
        for (const std::uint64_t Bytes : qvh_bench::AnimationSizes) {
            qvh_bench::Inputs().Animation(Kind, Bytes);
        }
    }
    for (const int Entries : qvh_bench::ListingSizes) {
        qvh_bench::Inputs().Listing(Entries);
    }
    ::sync();

    qvh_bench::ComparisonReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    Reporter.PrintComparison(stdout);
    benchmark::Shutdown();
    return 0;
}

// Runs the benchmarks and prints how the mod compares with the floor and the literal pipeline.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <cstdio>

#include "bench/comparison.hpp"
#include "bench/inputs.hpp"

int main(int Argc, char** Argv) {
    // glibc moves its allocation thresholds as a program runs, so whether a "new" buffer is fresh
    // memory (page faults) or memory freed a moment ago would depend on which benchmarks ran
    // before. Fixed here, for every way of reading alike: blocks under 32 MiB come from the heap
    // and freed memory stays there for the next iteration, the best case for the floor and the
    // literal pipeline; larger blocks are always fresh.
    ::mallopt(M_MMAP_THRESHOLD, 32 << 20);
    ::mallopt(M_TRIM_THRESHOLD, 1 << 30);
    benchmark::Initialize(&Argc, Argv);
    if (benchmark::ReportUnrecognizedArguments(Argc, Argv)) {
        return 1;
    }
    // Every input is written, and on the disk, before the first timing starts.
    for (const QVH::Bench::TextKind Kind : QVH::Bench::AnimationKinds) {
        for (const std::uint64_t Bytes : QVH::Bench::AnimationSizes) {
            QVH::Bench::Inputs().Animation(Kind, Bytes);
        }
    }
    for (const int Entries : QVH::Bench::ListingSizes) {
        QVH::Bench::Inputs().Listing(Entries);
    }
    ::sync();

    QVH::Bench::ComparisonReporter Reporter;
    benchmark::RunSpecifiedBenchmarks(&Reporter);
    Reporter.PrintComparison(stdout);
    benchmark::Shutdown();
    return 0;
}

#pragma once

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace QVH::Bench {

// Counts the page faults of a benchmark's timed loop: each is a page of memory touched for the
// first time, which on these machines costs more than most of the work around it.
class PageFaultCounter {
public:
    PageFaultCounter() : Start(Now()) {}

    // Reports the faults per iteration as the counter "faults".
    void Report(benchmark::State& State) const {
        State.counters["faults"] = benchmark::Counter(static_cast<double>(Now() - Start),
                                                      benchmark::Counter::kAvgIterations);
    }

private:
    static long Now() {
        rusage Usage{};
        ::getrusage(RUSAGE_SELF, &Usage);
        return Usage.ru_minflt + Usage.ru_majflt;
    }

    long Start;
};

}  // namespace QVH::Bench

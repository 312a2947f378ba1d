#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace QVH::Bench {

// Shows the runs as the console reporter does, keeps the median real time of each benchmark (or
// its only time, without repetitions), and prints the mod's ratios to the floor and the literal
// pipeline against their targets, and the whole call's to the service and the floor, once every
// benchmark has run.
class ComparisonReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& Runs) override;

    // Prints the comparison table to Out; benchmarks that did not run show as "-".
    void PrintComparison(std::FILE* Out) const;

private:
    // Median real time in nanoseconds, or a negative value when the benchmark did not run.
    double Median(const std::string& Name) const;
    // The services against the floor and the literal pipeline; the whole call against both.
    void PrintServices(std::FILE* Out) const;
    void PrintCalls(std::FILE* Out) const;

    std::map<std::string, double> Medians;
    std::map<std::string, double> SingleRuns;
};

}  // namespace QVH::Bench

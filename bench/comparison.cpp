#include "bench/comparison.hpp"

#include "bench/inputs.hpp"

namespace QVH::Bench {
namespace {

double Nanoseconds(const benchmark::BenchmarkReporter::Run& Run) {
    return Run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(Run.time_unit) * 1e9;
}

std::string Time(double Ns) {
    char Text[32];
    if (Ns < 0) {
        return "-";
    }
    if (Ns >= 1e6) {
        std::snprintf(Text, sizeof Text, "%.2f ms", Ns / 1e6);
    } else {
        std::snprintf(Text, sizeof Text, "%.1f us", Ns / 1e3);
    }
    return Text;
}

// Over / Under, or nothing when either is missing.
double Ratio(double Over, double Under) { return Over > 0 && Under > 0 ? Over / Under : -1; }

std::string Fixed(double Value) {
    char Text[32];
    if (Value < 0) {
        return "-";
    }
    std::snprintf(Text, sizeof Text, "%.2f", Value);
    return Text;
}

// "met" or "MISSED" for a ratio that must stay at or under Limit; nothing without a limit.
std::string Verdict(double Value, double Limit) {
    if (Limit <= 0 || Value < 0) {
        return "";
    }
    return (Value <= Limit ? "met (<= " : "MISSED (<= ") + Fixed(Limit) + ")";
}

double FloorLimitForRead(std::uint64_t Bytes) {
    if (Bytes == 4 << 10) {
        return 1.2;
    }
    return Bytes >= (4 << 20) ? 1.3 : 0;
}

}  // namespace

void ComparisonReporter::ReportRuns(const std::vector<Run>& Runs) {
    ConsoleReporter::ReportRuns(Runs);
    for (const Run& R : Runs) {
        if (R.error_occurred) {
            continue;
        }
        const std::string& Name = R.run_name.function_name;
        if (R.run_type == Run::RT_Aggregate && R.aggregate_name == "median") {
            Medians[Name] = Nanoseconds(R);
        } else if (R.run_type == Run::RT_Iteration) {
            SingleRuns[Name] = Nanoseconds(R);
        }
    }
}

double ComparisonReporter::Median(const std::string& Name) const {
    if (const auto It = Medians.find(Name); It != Medians.end()) {
        return It->second;
    }
    const auto It = SingleRuns.find(Name);
    return It != SingleRuns.end() ? It->second : -1;
}

void ComparisonReporter::PrintComparison(std::FILE* Out) const {
    std::fprintf(Out, "\nComparison (median real time; ratios within this run)\n");
    PrintServices(Out);
    PrintCalls(Out);
}

void ComparisonReporter::PrintServices(std::FILE* Out) const {
    std::fprintf(Out, "%-34s %11s %11s %11s  %-26s %s\n", "input", "mod", "floor", "literal",
                 "mod/floor (target)", "literal/mod");
    const auto Row = [&](const std::string& What, const std::string& Suffix, double Limit,
                         const char* Mod, const char* Floor, const char* Literal) {
        const double M = Median(std::string(Mod) + Suffix);
        const double F = Median(std::string(Floor) + Suffix);
        const double L = Median(std::string(Literal) + Suffix);
        const double ToFloor = Ratio(M, F);
        std::fprintf(Out, "%-34s %11s %11s %11s  %-5s %-20s %s\n", What.c_str(), Time(M).c_str(),
                     Time(F).c_str(), Time(L).c_str(), Fixed(ToFloor).c_str(),
                     Verdict(ToFloor, Limit).c_str(), Fixed(Ratio(L, M)).c_str());
    };
    for (const TextKind Kind : AnimationKinds) {
        for (const std::uint64_t Bytes : AnimationSizes) {
            const std::string Suffix = std::string("/") + KindName(Kind) + "/" + SizeName(Bytes);
            std::string What = "read ";
            What += Suffix.substr(1);
            // The wall-time limits are the ASCII and nonascii5 inputs'; the symbols mix has its
            // target in instructions (run-benchmarks' callgrind rows).
            Row(What, Suffix, Kind == TextKind::Symbols ? 0 : FloorLimitForRead(Bytes),
                "BM_ReadAnimationFile", "BM_FloorReadAnimationFile", "BM_LiteralReadAnimationFile");
        }
    }
    for (const int Entries : ListingSizes) {
        // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) about "literal" + string.
        const std::string Count = std::to_string(Entries);
        std::string What = "list ";
        What += Count;
        What += " entries";
        std::string Suffix = "/";
        Suffix += Count;
        Row(What, Suffix, Entries == 10000 ? 1.3 : 0, "BM_ListAnimationFiles",
            "BM_FloorListAnimationFiles", "BM_LiteralListAnimationFiles");
    }
}

void ComparisonReporter::PrintCalls(std::FILE* Out) const {
    std::fprintf(Out, "\n%-34s %11s %11s %11s  %-26s %s\n", "whole CPPCommsCall", "call", "service",
                 "floor", "call/service (target)", "call/floor");
    const struct {
        const char* What;
        const char* Call;
        const char* Service;
        const char* Floor;
        double Limit;
    } Calls[] = {
        {"read ascii/4KiB", "BM_CommsCall/read/ascii/4KiB", "BM_ReadAnimationFile/ascii/4KiB",
         "BM_FloorReadAnimationFile/ascii/4KiB", 0},
        {"read ascii/256KiB", "BM_CommsCall/read/ascii/256KiB", "BM_ReadAnimationFile/ascii/256KiB",
         "BM_FloorReadAnimationFile/ascii/256KiB", 1.10},
        {"list 10000 entries", "BM_CommsCall/list/10000", "BM_ListAnimationFiles/10000",
         "BM_FloorListAnimationFiles/10000", 0},
    };
    for (const auto& C : Calls) {
        const double Call = Median(C.Call);
        const double Service = Median(C.Service);
        const double Floor = Median(C.Floor);
        const double Whole = Ratio(Call, Service);
        std::fprintf(Out, "%-34s %11s %11s %11s  %-5s %-20s %s\n", C.What, Time(Call).c_str(),
                     Time(Service).c_str(), Time(Floor).c_str(), Fixed(Whole).c_str(),
                     Verdict(Whole, C.Limit).c_str(), Fixed(Ratio(Call, Floor)).c_str());
    }
}

}  // namespace QVH::Bench

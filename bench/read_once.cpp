// qvh-read-once: reads one generated animation file once (or a few times) with one way of
// reading, for the measurements that need a process of their own: instruction counts under
// callgrind, and the peak memory of a read above the process's baseline.
//
//   qvh-read-once mod|literal|floor ascii|nonascii5|symbols BYTES [--repeat N] [--peak-memory]
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>

#include "bench/floor.hpp"
#include "bench/inputs.hpp"
#include "bench/literal_pipeline.hpp"
#include "bench/mod_read.hpp"

namespace {

using ReadFunction = void (*)(QVH::CommsCallBlock&);

// A field of /proc/self/status in bytes ("VmRSS", "VmHWM"), or -1.
long long StatusBytes(const char* Field) {
    std::ifstream Status("/proc/self/status");
    std::string Line;
    while (std::getline(Status, Line)) {
        if (Line.rfind(Field, 0) == 0 && Line[std::strlen(Field)] == ':') {
            return std::atoll(Line.c_str() + std::strlen(Field) + 1) * 1024;
        }
    }
    return -1;
}

// Makes the current resident size the peak again, so what follows measures from here.
bool ResetPeak() {
    std::ofstream ClearRefs("/proc/self/clear_refs");
    ClearRefs << "5";
    ClearRefs.flush();
    return static_cast<bool>(ClearRefs);
}

int Usage() {
    std::fprintf(
        stderr,
        "usage: qvh-read-once mod|literal|floor ascii|nonascii5|symbols BYTES [--repeat N] "
        "[--peak-memory]\n");
    return 2;
}

// One read of Name, and the peak resident size it took above what the process held before.
int PrintPeakMemory(ReadFunction Read, const RC::StringType& Name, const std::string& What,
                    std::uint64_t Bytes) {
    if (!ResetPeak()) {
        std::fprintf(stderr, "qvh-read-once: cannot reset the peak resident size\n");
        return 1;
    }
    const long long Baseline = StatusBytes("VmRSS");
    long long Units = 0;
    {
        QVH::CommsCallBlock Block(QVH::ReadCallType, Name);
        Read(Block);
        Units = Block.Payload().Len();
    }
    const long long Peak = StatusBytes("VmHWM");
    std::printf(
        "%s: %lld units; peak %lld bytes above a baseline of %lld: %.2f bytes per file "
        "byte\n",
        What.c_str(), Units, Peak - Baseline, Baseline,
        static_cast<double>(Peak - Baseline) / static_cast<double>(Bytes));
    return 0;
}

}  // namespace

int main(int Argc, char** Argv) {
    if (Argc < 4) {
        return Usage();
    }
    const std::string Variant = Argv[1];
    const std::string Kind = Argv[2];
    const std::uint64_t Bytes = std::strtoull(Argv[3], nullptr, 10);
    int Repeat = 1;
    bool PeakMemory = false;
    for (int I = 4; I < Argc; ++I) {
        if (std::strcmp(Argv[I], "--repeat") == 0 && I + 1 < Argc) {
            Repeat = std::atoi(Argv[++I]);
        } else if (std::strcmp(Argv[I], "--peak-memory") == 0) {
            PeakMemory = true;
        } else {
            return Usage();
        }
    }
    const ReadFunction Read = Variant == "mod"       ? QVH::Bench::ModReadAnimationFile
                              : Variant == "literal" ? QVH::Bench::LiteralReadAnimationFile
                              : Variant == "floor"   ? QVH::Bench::FloorReadAnimationFile
                                                     : nullptr;
    const QVH::Bench::TextKind* Known = nullptr;
    for (const QVH::Bench::TextKind& Each : QVH::Bench::AnimationKinds) {
        Known = Kind == QVH::Bench::KindName(Each) ? &Each : Known;
    }
    if (Read == nullptr || Known == nullptr || Bytes == 0 || Repeat < 1) {
        return Usage();
    }

    QVH::Bench::BenchInputs Inputs;
    const QVH::Bench::AnimationInput& Input = Inputs.Animation(*Known, Bytes);
    Inputs.Files().Enter();
    const RC::StringType Name(Input.Name.begin(), Input.Name.end());

    if (PeakMemory) {
        // Appended piece by piece: at -O3 GCC 12 warns wrongly (-Wrestrict) about string + "x".
        std::string What = Variant;
        What += ' ';
        What += Kind;
        What += ' ';
        What += QVH::Bench::SizeName(Bytes);
        return PrintPeakMemory(Read, Name, What, Bytes);
    }
    long long Units = 0;
    for (int I = 0; I < Repeat; ++I) {
        QVH::CommsCallBlock Block(QVH::ReadCallType, Name);
        Read(Block);
        Units = Block.Payload().Len();
    }
    std::printf("%s %s %s (%.1f%% of bytes in multi-byte characters): %lld units, %d reads\n",
                Variant.c_str(), Kind.c_str(), QVH::Bench::SizeName(Bytes).c_str(),
                100.0 * static_cast<double>(Input.NonAsciiBytes) / static_cast<double>(Bytes),
                Units, Repeat);
    return 0;
}

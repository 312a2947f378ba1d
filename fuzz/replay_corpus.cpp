// A stand-in for libFuzzer's driver where there is none (gcc builds): runs the fuzz target once on
// each file named, or on each file in each folder named, so the seed corpus and every crash found
// before stay regression tests under every build.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* Data, std::size_t Size);
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* Argc, char*** Argv);

namespace {

void Run(const std::filesystem::path& File) {
    std::ifstream In(File, std::ios::binary);
    const std::vector<char> Bytes{std::istreambuf_iterator<char>(In), {}};
    // A copy of exactly the input's size, so reading past it is caught as libFuzzer would.
    std::vector<std::uint8_t> Input(Bytes.begin(), Bytes.end());
    LLVMFuzzerTestOneInput(Input.data(), Input.size());
}

}  // namespace

int main(int Argc, char** Argv) {
    if (LLVMFuzzerInitialize != nullptr) {
        LLVMFuzzerInitialize(&Argc, &Argv);
    }
    std::size_t Inputs = 0;
    for (int I = 1; I < Argc; ++I) {
        std::vector<std::filesystem::path> Files;
        if (std::filesystem::is_directory(Argv[I])) {
            for (const auto& Entry : std::filesystem::directory_iterator(Argv[I])) {
                Files.push_back(Entry.path());
            }
            std::sort(Files.begin(), Files.end());
        } else {
            Files.emplace_back(Argv[I]);
        }
        for (const auto& File : Files) {
            Run(File);
            ++Inputs;
        }
    }
    std::printf("%zu input(s) passed\n", Inputs);
    return Inputs > 0 ? 0 : 1;
}

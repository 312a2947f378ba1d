#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace QVH::Test {

struct ProgramResult {
    int ExitCode = -1;
    std::string Out;  // what it wrote to stdout, byte for byte
    std::string Err;  // and to stderr
};

// Runs Program with Arguments (UTF-8) in the current working directory, waits for it to end, and
// returns its exit status and output. Throws std::runtime_error when it cannot be started.
ProgramResult RunProgram(const std::filesystem::path& Program,
                         const std::vector<std::string>& Arguments);

}  // namespace QVH::Test

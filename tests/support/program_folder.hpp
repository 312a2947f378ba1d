#pragma once

#include <filesystem>

namespace qvh_test {

// The folder of the running test program, where the build puts the mod library and qvh-host.
std::filesystem::path ProgramFolder();

}  // namespace qvh_test

#pragma once

#include <filesystem>

#include "tools/options.hpp"

namespace QVH::HostTool {

// Exit status of a check that found at least one error.
inline constexpr int CheckFoundErrors = 3;

// `qvh-host check`: runs the mod on the game in the working directory, lists the animation folder
// and reads each file through CPPCommsCall as the Blueprint would, walks sub-folders, and reports
// on stdout what the game will make of each entry. Returns the exit status: 0 without errors,
// CheckFoundErrors with some, 1 when the mod cannot be run.
int RunCheck(const std::filesystem::path& ModPath, const Options& Opts);

}  // namespace QVH::HostTool

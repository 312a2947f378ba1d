#pragma once

#include <filesystem>

#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

// Exit status of a check that found at least one error.
inline constexpr int CheckFoundErrors = 3;

// `qvh-host check`: runs the mod on the game in the working directory, checks the animation
// folder with each call made through the mod, and writes the report to stdout (text, or JSON
// for --format json). Returns the exit status: 0 without errors, CheckFoundErrors with some, 1
// when the mod cannot be run.
int RunCheck(const std::filesystem::path& ModPath, const Options& Opts);

}  // namespace QVH::HostTool

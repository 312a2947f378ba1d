#pragma once

#include <filesystem>

#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

// The demo: the mod's whole life on the game in the working directory, told in a few lines on
// stderr, with each Payload the widget finds on stdout. Returns the exit status.
int RunDemo(const std::filesystem::path& ModPath, const Options& Opts);

}  // namespace QVH::HostTool

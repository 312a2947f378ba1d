#pragma once

#include <filesystem>

#include "tools/qvh_host/exit_status.hpp"
#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

// The demo: the mod's whole life on the game in the working directory, told in a few lines on
// stderr, with each Payload the widget finds on stdout. Returns the exit status.
ExitStatus RunDemo(const std::filesystem::path& ModPath, const Options& Opts);

}  // namespace QVH::HostTool

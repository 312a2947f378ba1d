#pragma once

#include <filesystem>

#include "tools/qvh_host/exit_status.hpp"
#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

// `qvh-host check`: runs the mod on the game in the working directory, checks the animation
// folder with each call made through the mod, and writes the report to stdout (text, or JSON
// for --format json). Returns Done without errors, CheckFoundErrors with some, Failed when the
// mod cannot be run.
ExitStatus RunCheck(const std::filesystem::path& ModPath, const Options& Opts);

}  // namespace QVH::HostTool

#pragma once

// qvh-host's exit statuses, which scripts and CI read.

namespace QVH::HostTool {

enum class ExitStatus {
    Done = 0,
    // The library cannot be loaded, the function is never hooked, or the output cannot be written.
    Failed = 1,
    // A bad option, command or working directory.
    UsageError = 2,
    // check found at least one error.
    CheckFoundErrors = 3,
};

}  // namespace QVH::HostTool

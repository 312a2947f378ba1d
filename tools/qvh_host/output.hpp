#pragma once

// qvh-host's stdout, which carries the Payload. A failed write is remembered here: the stream
// keeps only a flag, and its buffer, with the reason, is gone after the failed flush.

#include <string>
#include <string_view>

namespace QVH::HostTool {

// Writes Text to stdout and flushes it; the first failure's reason is kept for CloseOutput. Main
// thread only.
void WriteOutput(std::string_view Text);

// Flushes and closes stdout. Empty when everything written arrived (or nothing was written);
// otherwise the system's reason for the first failure. Main thread only, once, at the end.
std::string CloseOutput();

}  // namespace QVH::HostTool

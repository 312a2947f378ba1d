#pragma once

// The folder check: what the game will make of each entry of the animation folder, as the mod
// lists and reads it, and as it is stored on disk.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "File/Macros.hpp"
#include "tools/check/check_report.hpp"

namespace QVH::Check {

// What one CPPCommsCall gave: the Payload the Blueprint body finds after it, and the lines the mod
// logged during it, each without its line feed (the host's own lines left out).
struct CommsCallResult {
    RC::StringType Payload;
    std::vector<std::string> Log;
};

// One CPPCommsCall, made as the widget makes it, with CallType and Payload.
using CommsCall =
    std::function<CommsCallResult(std::int32_t CallType, const RC::StringType& Payload)>;

// Lists the animation folder below the working directory (ListCallType) and reads each file
// (ReadCallType) through Call, walks the folder and its sub-folders on disk, and reports what the
// game will make of each entry. Exceptions from Call pass through.
CheckReport CheckAnimationFolder(const CommsCall& Call);

}  // namespace QVH::Check

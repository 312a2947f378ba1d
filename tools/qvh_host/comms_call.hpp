#pragma once

// The Blueprint side of CPPCommsCall, as the widget would make the call.

#include <cstdint>
#include <functional>
#include <string>

#include "File/Macros.hpp"
#include "tools/qvh_host/options.hpp"

namespace QVH::HostTool {

// Calls the widget's CPPCommsCall through the stand-in host with a parameter block laid out as
// the engine lays it out (NULs inside Payload kept) and hands Found every unit of the Payload that
// the Blueprint body finds, where it lies in the block, before the block goes. Exceptions from the
// hooks pass through.
void CallCommsFunction(std::int32_t CallType, const RC::StringType& Payload,
                       const std::function<void(RC::StringViewType)>& Found);

// The same, giving a copy of the Payload found.
RC::StringType CallCommsFunction(std::int32_t CallType, const RC::StringType& Payload);

// Payload as qvh-host prints it, newline included: UTF-8 text (units that are no UTF-16 become
// U+FFFD), or the units as space-separated four-digit lower-case hex.
std::string FormatPayload(RC::StringViewType Payload, PayloadFormat Format);

// Writes Payload to stdout as FormatPayload gives it, converting a piece at a time, so that a
// large text costs no copy of itself. Main thread only.
void WritePayload(RC::StringViewType Payload, PayloadFormat Format);

}  // namespace QVH::HostTool

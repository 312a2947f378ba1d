#pragma once

// The Blueprint bridge's call path: what runs each time the widget calls CPPCommsCall.

#include "Unreal/UFunctionStructs.hpp"

namespace QVH {

// The pre-call hook of CPPCommsCall. Reads the call's parameter block in place (CallType and
// Payload, laid out as bridge/comms_call_params.hpp says) and writes the answer over
// Payload: the animation folder's listing for CallType 1, the content of the file named by Payload
// for CallType 2. A folder that cannot be listed, and any other CallType, leave Payload alone and
// log one line. Nothing escapes: an exception logs one line with its text and leaves Payload as
// it was (empty, should memory run out while a read's text is put in its place).
// CustomData is not read. Runs on the thread that runs the Blueprint call; takes no lock.
void DispatchCommsCall(RC::Unreal::UnrealScriptFunctionCallableContext& Context,
                       void* CustomData) noexcept;

}  // namespace QVH

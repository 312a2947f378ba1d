#pragma once

// The Blueprint bridge's call path: what runs each time the widget calls CPPCommsCall.

#include "Unreal/UFunctionStructs.hpp"

namespace QVH {

// The pre-call hook of CPPCommsCall. Reads the call's parameter block in place (CallType and
// Payload, laid out as bridge/comms_call_params.hpp says) and writes the answer over Payload: the
// animation folder's listing for CallType 1, the content of the file named by Payload for
// CallType 2. Any other CallType leaves Payload alone and logs one line. Nothing escapes: a failing
// service leaves Payload with its entry value and logs one line with the error's text. CustomData
// is not read. Runs on the thread that runs the Blueprint call; takes no lock.
void DispatchCommsCall(RC::Unreal::UnrealScriptFunctionCallableContext& Context,
                       void* CustomData) noexcept;

}  // namespace QVH

#pragma once

#include <functional>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "Unreal/FFrame.hpp"

// Controls of the stand-in host's script interpreter, for tests and tools.
namespace StandIn {

// Calls the script function at Path with the parameter block Params as the engine would: every
// pre-call hook, then Body (the function's own body, given the same block), then every post-call
// hook, all on the calling thread. The hooks are called where the host's table stores them, an
// empty one too (it throws std::bad_function_call). Exceptions from hooks and body pass through.
// Registering, removing or forgetting a hook of Path while a call of it runs ends the process, as
// the host's unlocked table may.
RC_UE4SS_API void InvokeScriptFunction(RC::StringViewType Path, void* Params,
                                       const std::function<void(void* Params)>& Body = {});

// The engine makes the frames of script calls; this makes one as it would, for a caller that
// plays the engine.
struct RC_UE4SS_API ScriptFrames {
    // A frame whose parameter block is Params.
    static RC::Unreal::FFrame For(void* Params);
};

// How many hook pairs are installed on the script function at Path.
RC_UE4SS_API int HookCount(RC::StringViewType Path);

}  // namespace StandIn

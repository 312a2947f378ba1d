#pragma once

#include <chrono>
#include <functional>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "Unreal/UObject.hpp"

// Controls of the stand-in host's object system, for tests and tools. The game loads assets
// whenever it likes; these let a caller decide when an object becomes findable.
namespace StandIn {

// Makes a function object with the full path Path findable from now on and returns it. Calling
// it again for the same path returns the same object.
RC_UE4SS_API RC::Unreal::UObject* MakeFindable(RC::StringViewType Path);

// Makes Path findable once Delay has passed, as a game that finishes loading the asset later.
RC_UE4SS_API void MakeFindableAfter(RC::StringViewType Path, std::chrono::milliseconds Delay);

// Unloads the function at Path, as a game that lets go of the widget's asset: FindObject gives
// null again, the object's memory is freed, and the hooks on it stay, kept by its name.
RC_UE4SS_API void Unload(RC::StringViewType Path);

// How many times FindObject was asked for Path since the last Reset.
RC_UE4SS_API int LookupCount(RC::StringViewType Path);

// Faults the host can be made to show. Each callable runs inside the host call it names and may
// throw; ZeroHookIds makes RegisterHook install the hooks but report {0, 0}.
struct Faults {
    std::function<void()> InFindObject = {};
    std::function<void()> InRegisterHook = {};
    bool ZeroHookIds = false;
};
RC_UE4SS_API void SetFaults(Faults NewFaults);

// Forgets every object, hook, count and fault. Pointers handed out before are invalid after.
RC_UE4SS_API void Reset();

}  // namespace StandIn

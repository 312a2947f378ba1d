#pragma once

#include <utility>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "HostGeneration.hpp"
#include "Unreal/FString.hpp"
#include "Unreal/UClass.hpp"
#include "Unreal/UFunctionStructs.hpp"
#include "Unreal/UObject.hpp"

namespace RC::Unreal {

class ObjectSearcher;
// Declared in a header of its own, whose path depends on the host's generation.
class UFunction;

namespace UObjectGlobals {

// The loaded object with the full path Name, or null while none is loaded. Any thread.
RC_UE4SS_API UObject* FindObject(UClass* Class, UObject* InOuter, const TCHAR* Name,
                                 bool ExactClass = false, ObjectSearcher* InSearcher = nullptr);
RC_UE4SS_API UObject* FindObject(UClass* Class, UObject* InOuter, StringViewType Name,
                                 bool ExactClass = false, ObjectSearcher* InSearcher = nullptr);

// Installs PreCallback and PostCallback around every call of the script function and returns the
// two hooks' identifiers; for a Blueprint function both are one number, and the hooks are kept by
// the function's full name. The path form looks the function up again and uses what it finds
// without checking it: a path that names no loaded function crashes the host. Throws
// std::runtime_error for a function it cannot hook. The hook registry has no lock: the game
// thread walks it on every call, so registering from another thread races with that walk.
RC_UE4SS_API std::pair<int, int> RegisterHook(const StringType& FunctionFullNameNoType,
                                              UnrealScriptFunctionCallable PreCallback,
                                              UnrealScriptFunctionCallable PostCallback,
                                              void* CustomData);
RC_UE4SS_API std::pair<int, int> RegisterHook(UFunction* Function,
                                              UnrealScriptFunctionCallable PreCallback,
                                              UnrealScriptFunctionCallable PostCallback,
                                              void* CustomData);

// Removes the hooks that RegisterHook returned and writes a line of its own to the log. Ids that
// match no hook are ignored silently. Generation 3 also has the path form, which throws
// std::runtime_error when no function of that path is loaded; generation 4 may not.
#if QVH_STAND_IN_HOST_GENERATION < 4
RC_UE4SS_API void UnregisterHook(const StringType& FunctionFullNameNoType,
                                 std::pair<int, int> HookIds);
#endif
RC_UE4SS_API void UnregisterHook(UFunction* Function, std::pair<int, int> HookIds);

}  // namespace UObjectGlobals
}  // namespace RC::Unreal

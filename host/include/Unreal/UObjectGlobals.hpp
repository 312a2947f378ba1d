#pragma once

#include <utility>

#include "File/Macros.hpp"
#include "HostApi.hpp"
#include "Unreal/UObject.hpp"
#include "Unreal/UnrealScriptFunctionCallableContext.hpp"

namespace RC::Unreal {

struct FObjectSearcher;

namespace UObjectGlobals {

// The loaded object with the full path Name, or null while none is loaded. Any thread.
RC_UE4SS_API UObject* FindObject(UClass* Class, UObject* InOuter, const File::CharType* Name,
                                 bool ExactClass = false, FObjectSearcher* InSearcher = nullptr);

// Installs PreCallback and PostCallback around every call of the script function at
// UFunctionPath and returns the two hooks' identifiers. Any thread.
RC_UE4SS_API std::pair<int, int> RegisterHook(File::StringViewType UFunctionPath,
                                              const UnrealScriptFunctionCallable& PreCallback,
                                              const UnrealScriptFunctionCallable& PostCallback,
                                              void* CustomData);

// Removes the hooks that RegisterHook returned. False when they were not installed.
RC_UE4SS_API bool UnregisterHook(File::StringViewType UFunctionPath, std::pair<int, int> HookIds);
RC_UE4SS_API bool UnregisterHook(UFunction* Function, std::pair<int, int> HookIds);

}  // namespace UObjectGlobals
}  // namespace RC::Unreal

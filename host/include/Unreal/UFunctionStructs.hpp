#pragma once

#include <functional>

#include "Unreal/FFrame.hpp"
#include "Unreal/UObject.hpp"

namespace RC::Unreal {

// What a script hook receives about the call it intercepts.
class UnrealScriptFunctionCallableContext {
public:
    UObject* Context;
    FFrame& TheStack;
    void* RESULT_DECL;

    UnrealScriptFunctionCallableContext(UObject* InContext, FFrame& InStack, void* InResult)
        : Context(InContext), TheStack(InStack), RESULT_DECL(InResult) {}
};

using UnrealScriptFunctionCallable =
    std::function<void(UnrealScriptFunctionCallableContext& Context, void* CustomData)>;

}  // namespace RC::Unreal

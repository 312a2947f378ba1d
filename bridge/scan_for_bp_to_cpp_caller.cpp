// Finding the widget's comms function once the game has loaded it, and hooking it.
#include <chrono>

#include "Unreal/UObjectGlobals.hpp"
#include "bridge/comms_function_path.hpp"
#include "bridge/dispatch_comms_call.hpp"
#include "bridge/log_failure.hpp"
#include "mod/log_message.hpp"
#include "mod/qvh_motion_archive.hpp"

using RC::Unreal::UnrealScriptFunctionCallable;
using RC::Unreal::UnrealScriptFunctionCallableContext;
namespace UObjectGlobals = RC::Unreal::UObjectGlobals;

auto QVH_MotionArchive::on_unreal_init() -> void {
    if (ModInstance != this) {
        return;
    }
    try {
        Scan.Start(&QVH_MotionArchive::ScanForBPToCPPCaller);
    } catch (...) {
        // The host does not expect an exception from its notification.
        QVH::detail::LogCurrentException(
            STR("QVH_MotionArchive : Scan for CPPCommsCall could not start: "));
    }
}

void QVH_MotionArchive::ScanForBPToCPPCaller() {
    QVH_MotionArchive* const Mod = ModInstance;
    if (Mod == nullptr) {
        return;
    }
    if (Mod->HookIds.first != 0 || Mod->HookIds.second != 0 || Mod->BPToCPPCaller != nullptr) {
        return;
    }
    try {
        for (;;) {
            Mod->BPToCPPCaller = UObjectGlobals::FindObject(nullptr, nullptr,
                                                            QVH::CommsFunctionPath, false, nullptr);
            if (Mod->BPToCPPCaller != nullptr) {
                const UnrealScriptFunctionCallable PreCall =
                    [](UnrealScriptFunctionCallableContext& Context, void* CustomData) {
                        QVH::DispatchCommsCall(Context, CustomData);
                    };
                const UnrealScriptFunctionCallable PostCall =
                    [](UnrealScriptFunctionCallableContext&, void*) {};
                // Stored as returned, {0, 0} included: the scan ends on the found function.
                Mod->HookIds = UObjectGlobals::RegisterHook(QVH::CommsFunctionPathView, PreCall,
                                                            PostCall, nullptr);
                if (Mod->HookIds.first == 0 && Mod->HookIds.second == 0) {
                    // Hooks without ids cannot be removed: were the library unloaded, the next
                    // call would run code that is gone. Whoever unloads it should know.
                    QVH::LogMessage(
                        STR("QVH_MotionArchive : RegisterHook gave no hook ids; the CPPCommsCall "
                            "hooks cannot be removed when the mod is unloaded"));
                }
                return;
            }
            // The game may load the widget long after the engine is ready; look again in a
            // second, unless the object is going away.
            if (!Mod->Scan.WaitFor(std::chrono::seconds(1))) {
                return;
            }
        }
    } catch (...) {
        // An exception leaving a thread's body would end the game. The scan ends here: retrying
        // a host that fails is unlikely to do better.
        QVH::detail::LogCurrentException(STR("QVH_MotionArchive : Scan for CPPCommsCall failed: "));
    }
}

void QVH_MotionArchive::RemoveHooks() noexcept {
    if (HookIds.first == 0 && HookIds.second == 0) {
        return;
    }
    try {
        UObjectGlobals::UnregisterHook(QVH::CommsFunctionPathView, HookIds);
    } catch (...) {
        QVH::detail::LogCurrentException(
            STR("QVH_MotionArchive : Removing the CPPCommsCall hooks failed: "));
    }
}

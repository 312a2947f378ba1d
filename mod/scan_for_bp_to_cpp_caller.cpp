// Finding the widget's CPPCommsCall once the game has loaded it, and hooking it.
#include <chrono>
#include <memory>

#include "Unreal/UFunctionStructs.hpp"
#include "Unreal/UObjectGlobals.hpp"
#include "bridge/comms_function_path.hpp"
#include "bridge/dispatch_comms_call.hpp"
#include "engine/host_generations.hpp"
#include "log/log_current_exception.hpp"
#include "mod/qvh_motion_archive.hpp"

namespace QVH {

using RC::Unreal::UnrealScriptFunctionCallable;
using RC::Unreal::UnrealScriptFunctionCallableContext;
namespace UObjectGlobals = RC::Unreal::UObjectGlobals;

void QVH_MotionArchive::ScanForBPToCPPCaller() {
    QVH_MotionArchive* const Mod = ModInstance.load();
    if (Mod == nullptr) {
        return;
    }
    if (Mod->HookIds.first != 0 || Mod->HookIds.second != 0 || Mod->BPToCPPCaller != nullptr) {
        return;
    }
    try {
        // Until found, or until the object goes or another takes its place.
        while (ModInstance.load() == Mod) {
            Mod->BPToCPPCaller =
                UObjectGlobals::FindObject(nullptr, nullptr, CommsFunctionPath, false, nullptr);
            if (Mod->BPToCPPCaller != nullptr) {
                Mod->HookCommsFunction();
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
        LogCurrentException(STR("Scan for CPPCommsCall failed: "));
    }
}

void QVH_MotionArchive::HookCommsFunction() {
    // The hooks hold their own share of the gate, since the host keeps and calls them after the
    // mod object is gone. They answer only for the object that ModInstance points at: the gate
    // is open only while this object lives, so the comparison never meets a reused address.
    auto Gate = std::make_shared<HookGate>();
    const UnrealScriptFunctionCallable PreCall =
        [Gate, Owner = this](UnrealScriptFunctionCallableContext& Context, void* CustomData) {
            if (Gate->Enter()) {
                if (ModInstance.load() == Owner) {
                    DispatchCommsCall(Context, CustomData);
                }
                Gate->Leave();
            }
        };
    const UnrealScriptFunctionCallable PostCall = [](UnrealScriptFunctionCallableContext&, void*) {
    };
    // By the function found, not by its path: the path form looks the function up again and uses
    // what it finds unchecked, so a widget unloaded in between would crash the host. Stored as
    // returned, {0, 0} included: the scan ends on the found function.
    HookIds = UObjectGlobals::RegisterHook(static_cast<RC::Unreal::UFunction*>(BPToCPPCaller),
                                           PreCall, PostCall, nullptr);
    HookCalls = std::move(Gate);
}

}  // namespace QVH

#include "mod/qvh_motion_archive.hpp"

#include <stdexcept>

#include "Unreal/UObjectGlobals.hpp"
#include "bridge/comms_function_path.hpp"
#include "log/log_current_exception.hpp"
#include "mod/keep_library_loaded.hpp"

namespace QVH {

QVH_MotionArchive* ModInstance = nullptr;

QVH_MotionArchive::QVH_MotionArchive() {
    // The name's letter case differs from the class's; the host shows it as is.
    ModName = STR("QVH_MOtionArchive");
    ModVersion = STR("0.0.1");
    ModDescription = STR("Quenvarholt - Animation Framework");
    ModAuthors = STR("Ostrander");
}

QVH_MotionArchive::~QVH_MotionArchive() {
    // The scan writes the fields below and reads ModInstance, so it ends first. The hooks' code
    // lives in this library, which the host may unload next.
    Scan.Stop();
    RemoveHooks();
    if (ModInstance == this) {
        ModInstance = nullptr;
    }
}

auto QVH_MotionArchive::on_update() -> void {}

auto QVH_MotionArchive::on_unreal_init() -> void {
    if (ModInstance != this) {
        return;
    }
    try {
        Scan.Start(&QVH_MotionArchive::ScanForBPToCPPCaller);
    } catch (...) {
        // The host does not expect an exception from its notification.
        LogCurrentException(STR("Scan for CPPCommsCall could not start: "));
    }
}

void QVH_MotionArchive::RemoveHooks() noexcept {
    if (!HookCalls) {
        return;
    }
    // From here the hooks do nothing, and no call is still inside them, whether or not the host
    // lets go of them below.
    HookCalls->CloseAndWait();
    try {
        if (HookIds.first == 0 && HookIds.second == 0) {
            throw std::runtime_error("RegisterHook gave no hook ids");
        }
        // By path, not by the function found: by now the game may have unloaded the widget, and
        // with it the function's memory; the path form then throws instead of reading it.
        RC::Unreal::UObjectGlobals::UnregisterHook(RC::StringType(CommsFunctionPathView), HookIds);
    } catch (...) {
        // The host keeps the hooks by the function's name and runs them whenever a widget of that
        // name is loaded, even after unloading this library: their code has to stay.
        LogCurrentException(
            KeepLibraryLoaded()
                ? STR("The library stays loaded until the game ends, and the CPPCommsCall hooks "
                      "left in the host do nothing; they could not be removed: ")
                : STR("The library could not be kept loaded: once it is unloaded, a call of "
                      "CPPCommsCall crashes the game; its hooks could not be removed: "));
    }
}

}  // namespace QVH

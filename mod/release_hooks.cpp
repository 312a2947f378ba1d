#include "mod/release_hooks.hpp"

#include <stdexcept>

#include "Unreal/UObjectGlobals.hpp"
#include "bridge/comms_function_path.hpp"
#include "engine/host_generations.hpp"
#include "log/log_current_exception.hpp"
#include "log/log_line.hpp"

namespace QVH {

namespace UObjectGlobals = RC::Unreal::UObjectGlobals;

void ReleaseHooks(std::pair<int, int> HookIds, bool LibraryKept) noexcept {
    if (LibraryKept) {
        try {
            LogLine(
                {STR("The library stays loaded until the game ends, and its CPPCommsCall "
                     "hooks now do nothing: a changed DLL takes effect at the next start of "
                     "the game")});
        } catch (...) {
            // A line the devices refuse is lost; the hooks are safe all the same.
        }
        return;
    }
    try {
        // By the function loaded now, never by path: the path form may not exist in the host,
        // and the function found when hooking may have been unloaded with the widget since.
        auto* const Function = static_cast<RC::Unreal::UFunction*>(
            UObjectGlobals::FindObject(nullptr, nullptr, CommsFunctionPath, false, nullptr));
        if (Function == nullptr) {
            throw std::runtime_error("CPPCommsCall is not loaded");
        }
        // The host ignores ids it does not know, silently.
        if (HookIds.first == 0 && HookIds.second == 0) {
            throw std::runtime_error("RegisterHook gave no hook ids");
        }
        UObjectGlobals::UnregisterHook(Function, HookIds);
        LogLine(
            {STR("The library could not be kept loaded, so its CPPCommsCall hooks were "
                 "removed: a call of CPPCommsCall under way as the library is unloaded may "
                 "crash the game")});
    } catch (...) {
        LogCurrentException(
            STR("The library could not be kept loaded, and its CPPCommsCall hooks could not be "
                "removed: a later call of CPPCommsCall may crash the game: "));
    }
}

}  // namespace QVH

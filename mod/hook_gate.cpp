#include "mod/hook_gate.hpp"

namespace QVH {

bool HookGate::Enter() noexcept {
    std::scoped_lock Lock(Mutex);
    if (!Open) {
        return false;
    }
    ++Inside;
    return true;
}

void HookGate::Leave() noexcept {
    std::scoped_lock Lock(Mutex);
    if (--Inside == 0) {
        Emptied.notify_all();
    }
}

void HookGate::CloseAndWait() noexcept {
    std::unique_lock Lock(Mutex);
    Open = false;
    Emptied.wait(Lock, [this] { return Inside == 0; });
}

}  // namespace QVH

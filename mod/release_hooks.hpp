#pragma once

#include <utility>

namespace QVH {

// What becomes of the comms hooks when their mod object goes, once their gate is closed and no
// call is inside it. The host never removes a mod's hooks itself, frees the library right after
// uninstall_mod while the game thread may still be running the hooks' code, and keeps its hook
// table without a lock, so removing a hook from this thread could destroy it while the game
// thread runs it. So, with the library kept loaded (LibraryKept), the hooks stay where they are,
// doing nothing. Only when it could not be kept are they removed, as a last resort, by the
// function loaded now. One log line either way; raises nothing. Host threads only.
void ReleaseHooks(std::pair<int, int> HookIds, bool LibraryKept) noexcept;

}  // namespace QVH

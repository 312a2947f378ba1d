#pragma once

// What lets calls of the comms hooks through to the dispatch. The host keeps hooks it could not
// remove and calls them whenever the widget is loaded again, long after their mod object is gone:
// each hook holds a share of its object's gate, which the object closes as it goes, so such a
// call finds the gate still there, closed, and does nothing.

#include <condition_variable>
#include <mutex>

// The hooks lock this gate's mutex on the game thread, in a process whose C++ runtime the game
// chose (see the build settings).
#if defined(_WIN32) && !defined(_DISABLE_CONSTEXPR_MUTEX_CONSTRUCTOR)
#error "Define _DISABLE_CONSTEXPR_MUTEX_CONSTRUCTOR: games load older msvcp140.dll versions"
#endif

namespace QVH {

class HookGate {
public:
    // True while open, counting the call as inside until Leave; false, counting nothing, once
    // closed. Any thread.
    bool Enter() noexcept;
    // Ends a call that Enter let in. Any thread.
    void Leave() noexcept;
    // Closes the gate for good and waits until every call inside has left, so that nothing runs
    // past it any more. Not from a call inside: it would wait for itself.
    void CloseAndWait() noexcept;

private:
    std::mutex Mutex;
    std::condition_variable Emptied;
    int Inside = 0;
    bool Open = true;
};

}  // namespace QVH

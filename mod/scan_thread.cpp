#include "mod/scan_thread.hpp"

namespace QVH {

bool ScanThread::Start(void (*Body)()) {
    if (Started) {
        return false;
    }
    Thread = std::thread([this, Body] {
        Body();
        BodyReturned.store(true);
    });
    Started = true;
    return true;
}

bool ScanThread::WaitFor(std::chrono::milliseconds Duration) {
    std::unique_lock Lock(WaitMutex);
    // Only a stop notifies Wake, so this waits the whole time unless asked to stop.
    return !Wake.wait_for(Lock, Duration, [this] { return StopRequested; });
}

void ScanThread::Stop() noexcept {
    {
        // Set under the mutex, so the flag cannot change between the waiter's test and its wait.
        const std::lock_guard Lock(WaitMutex);
        StopRequested = true;
    }
    Wake.notify_all();
    if (!Thread.joinable()) {
        return;
    }
    // A thread cannot wait for itself; should the object go from its own scan, let the thread end
    // on its own.
    if (Thread.get_id() == std::this_thread::get_id()) {
        Thread.detach();
    } else {
        Thread.join();
    }
}

}  // namespace QVH

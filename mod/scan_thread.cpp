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
    // Nothing notifies Wake but a stop request, so this waits the whole time unless asked to stop.
    Wake.wait_for(Lock, StopSource.get_token(), Duration, [] { return false; });
    return !StopSource.stop_requested();
}

void ScanThread::Stop() noexcept {
    StopSource.request_stop();
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

#pragma once

// The thread on which the mod object looks for CPPCommsCall. It belongs to the mod object:
// destroying it asks the scan to stop and waits until it has, so no scan outlives its object.

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace QVH {

class ScanThread {
public:
    ScanThread() = default;
    ~ScanThread() { Stop(); }
    ScanThread(const ScanThread&) = delete;
    ScanThread& operator=(const ScanThread&) = delete;

    // Runs Body on a new thread, once per object: false, doing nothing, when a thread was started
    // before. Throws std::system_error when no thread can be created. Host threads only.
    bool Start(void (*Body)());

    // Waits for Duration on the steady clock, or less when a stop is asked for meanwhile. False
    // when a stop has been asked for. The scan thread's own call.
    bool WaitFor(std::chrono::milliseconds Duration);

    // Asks the scan to stop and waits until its thread has ended; returns at once when there is
    // none. Host threads only.
    void Stop() noexcept;

    // True once a started thread's Body has returned. The mod has no use for it; it stays for the
    // tests, which tell by it a scan that ended on its own from one still waiting, and whose
    // reads of the mod object's fields it orders after the scan's writes.
    bool Finished() const noexcept { return BodyReturned.load(); }

private:
    // A plain flag under the mutex, not std::stop_token: libstdc++ 12's stop_callback waits on a
    // semaphore that can lose its wake-up where there is no futex (Windows), hanging Stop.
    std::mutex WaitMutex;
    std::condition_variable Wake;
    bool StopRequested = false;
    std::atomic<bool> BodyReturned{false};
    bool Started = false;
    std::thread Thread;
};

}  // namespace QVH

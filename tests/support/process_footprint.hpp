#pragma once

#include <cstddef>

namespace QVH::Test {

// What a library could leave behind in this process once unloaded: the thread-local slots still
// taken, and the private memory committed. Windows only.
struct ProcessFootprint {
    // The slot TlsAlloc gives next; the system gives the lowest free one, so a slot never given
    // back raises it.
    unsigned long NextThreadSlot = 0;
    std::size_t CommittedPrivateBytes = 0;
};

ProcessFootprint MeasureProcess();

}  // namespace QVH::Test

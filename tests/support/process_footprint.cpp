#include "tests/support/process_footprint.hpp"

#include <windows.h>

namespace QVH::Test {

ProcessFootprint MeasureProcess() {
    ProcessFootprint Footprint;
    const DWORD Slot = TlsAlloc();
    if (Slot != TLS_OUT_OF_INDEXES) {
        TlsFree(Slot);
    }
    Footprint.NextThreadSlot = Slot;
    MEMORY_BASIC_INFORMATION Region;
    const char* Address = nullptr;
    while (VirtualQuery(Address, &Region, sizeof(Region)) == sizeof(Region)) {
        if (Region.State == MEM_COMMIT && Region.Type == MEM_PRIVATE) {
            Footprint.CommittedPrivateBytes += Region.RegionSize;
        }
        const char* Next = static_cast<const char*>(Region.BaseAddress) + Region.RegionSize;
        if (Next <= Address) {
            break;
        }
        Address = Next;
    }
    return Footprint;
}

}  // namespace QVH::Test

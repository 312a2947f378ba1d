#pragma once

#include <cstdint>

// A table for keeping some of eight UTF-16 units and closing the gaps with one byte shuffle
// (pshufb): the vector decoder computes a unit at every byte, then keeps those that end a
// character. Built at compile time.
namespace QVH::detail {

struct UnitCompaction {
    // For each set of kept units (bit N for unit N), the bytes of the kept units in order, then
    // zeros (0x80 selects a zero byte).
    alignas(16) std::uint8_t Shuffle[256][16];
};

constexpr UnitCompaction MakeUnitCompaction() {
    UnitCompaction Table{};
    for (unsigned Kept = 0; Kept < 256; ++Kept) {
        unsigned To = 0;
        for (unsigned Unit = 0; Unit < 8; ++Unit) {
            if ((Kept >> Unit & 1) != 0) {
                Table.Shuffle[Kept][To++] = static_cast<std::uint8_t>(2 * Unit);
                Table.Shuffle[Kept][To++] = static_cast<std::uint8_t>(2 * Unit + 1);
            }
        }
        while (To < 16) {
            Table.Shuffle[Kept][To++] = 0x80;
        }
    }
    return Table;
}

inline constexpr UnitCompaction Compaction = MakeUnitCompaction();

}  // namespace QVH::detail

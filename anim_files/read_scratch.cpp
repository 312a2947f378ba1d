#include "anim_files/read_scratch.hpp"

#include <atomic>

namespace QVH::detail {
namespace {

struct SharedScratch {
    ReadScratch Scratch;
    std::atomic<bool> Lent{false};
};

SharedScratch Shared;

}  // namespace

char* ReadScratch::Piece() {
    if (!PieceBuffer) {
        PieceBuffer = std::make_unique_for_overwrite<char[]>(RoomBefore + PieceBytes);
    }
    return PieceBuffer.get() + RoomBefore;
}

RC::CharType* ReadScratch::PieceOfUnits() {
    if (!UnitBuffer) {
        UnitBuffer = std::make_unique_for_overwrite<RC::CharType[]>(PieceUnits);
    }
    return UnitBuffer.get();
}

std::size_t ReadScratch::HeldBytes() const noexcept {
    return (PieceBuffer ? RoomBefore + PieceBytes : 0) +
           (UnitBuffer ? PieceUnits * sizeof(RC::CharType) : 0);
}

ScratchLease::ScratchLease() noexcept {
    // Acquire and release order the buffers' use by one read before their use by the next.
    if (Shared.Lent.exchange(true, std::memory_order_acquire)) {
        Lent = &Own.emplace();
    } else {
        Lent = &Shared.Scratch;
    }
}

ScratchLease::~ScratchLease() {
    if (Lent == &Shared.Scratch) {
        Shared.Lent.store(false, std::memory_order_release);
    }
}

std::size_t SharedScratchHeldBytes() noexcept { return Shared.Scratch.HeldBytes(); }

}  // namespace QVH::detail

#include "anim_files/read_scratch.hpp"

#include <algorithm>

namespace QVH::detail {
namespace {

struct ThreadScratch {
    ReadScratch Scratch;
    bool Lent = false;
};

// One a thread: calls on one thread never overlap but through re-entry, which the lease handles.
thread_local ThreadScratch This;

}  // namespace

char* ReadScratch::Piece() {
    if (!PieceBuffer) {
        PieceBuffer = std::make_unique_for_overwrite<char[]>(RoomBefore + PieceBytes);
    }
    return PieceBuffer.get() + RoomBefore;
}

RC::CharType* ReadScratch::Units(std::size_t Count, std::size_t Kept) {
    if (Count <= UnitCapacity) {
        return UnitBuffer.get();
    }
    if (Kept == 0) {
        UnitBuffer.reset();  // before the new one, so the two are never held at once
        UnitCapacity = 0;
    }
    auto Larger = std::make_unique_for_overwrite<RC::CharType[]>(Count);
    std::copy_n(UnitBuffer.get(), std::min(Kept, UnitCapacity), Larger.get());
    UnitBuffer = std::move(Larger);
    UnitCapacity = Count;
    return UnitBuffer.get();
}

void ReadScratch::Trim() noexcept {
    if (HeldBytes() > MaxHeldBytes) {
        UnitBuffer.reset();
        UnitCapacity = 0;
    }
}

std::size_t ReadScratch::HeldBytes() const noexcept {
    return (PieceBuffer ? RoomBefore + PieceBytes : 0) + UnitCapacity * sizeof(RC::CharType);
}

ScratchLease::ScratchLease() noexcept {
    if (This.Lent) {
        Lent = &Own.emplace();
    } else {
        This.Lent = true;
        Lent = &This.Scratch;
    }
}

ScratchLease::~ScratchLease() {
    if (Lent == &This.Scratch) {
        This.Scratch.Trim();
        This.Lent = false;
    }
}

std::size_t ThreadScratchHeldBytes() noexcept { return This.Scratch.HeldBytes(); }

}  // namespace QVH::detail

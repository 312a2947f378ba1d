#include "anim_files/read_scratch.hpp"

#include <algorithm>
#include <atomic>
#include <utility>

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
    // Acquire and release order the buffers' use by one read before their use by the next.
    if (Shared.Lent.exchange(true, std::memory_order_acquire)) {
        Lent = &Own.emplace();
    } else {
        Lent = &Shared.Scratch;
    }
}

ScratchLease::ScratchLease(ScratchLease&& Other) noexcept {
    const bool LentOwn = Other.Own && Other.Lent == &*Other.Own;
    Own = std::move(Other.Own);
    Lent = LentOwn ? &*Own : Other.Lent;
    Other.Lent = nullptr;
}

ScratchLease::~ScratchLease() {
    if (Lent == &Shared.Scratch) {
        Shared.Scratch.Trim();
        Shared.Lent.store(false, std::memory_order_release);
    }
}

std::size_t SharedScratchHeldBytes() noexcept { return Shared.Scratch.HeldBytes(); }

}  // namespace QVH::detail

#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "File/Macros.hpp"

namespace QVH::detail {

// The buffers a file read works in: one piece of the file's bytes at a time, and the decoded
// text. Reads reuse one set between them, so a read of a file up to a few MiB touches no fresh
// memory but the engine string's. They carry nothing from one read to the next: every read fills
// them afresh from the disk.
class ReadScratch {
public:
    // Bytes read from the file at a time: small enough for the processor's cache, large enough
    // that a big file costs few system calls.
    static constexpr std::size_t PieceBytes = 128 << 10;
    // The most the buffers may hold once a read is over.
    static constexpr std::size_t MaxHeldBytes = 16 << 20;

    // Bytes before a piece that may be written too: room to put bytes kept from the last piece.
    static constexpr std::size_t RoomBefore = 16;

    // PieceBytes bytes, with RoomBefore bytes of room before them. Throws std::bad_alloc when
    // memory runs out.
    char* Piece();
    // Room for Count units, holding the first Kept units of the previous buffer. Throws
    // std::bad_alloc when memory runs out.
    RC::CharType* Units(std::size_t Count, std::size_t Kept);
    // Releases the decoded text's buffer if the buffers hold more than MaxHeldBytes.
    void Trim() noexcept;
    std::size_t HeldBytes() const noexcept;

private:
    std::unique_ptr<char[]> PieceBuffer;
    std::unique_ptr<RC::CharType[]> UnitBuffer;
    std::size_t UnitCapacity = 0;
};

// The reads' shared scratch for the length of one read, trimmed when the lease ends. A read that
// starts while it is lent (one on another thread, or a read inside a read through a log device)
// gets a scratch of its own for that read. Any thread.
//
// The scratch is shared by the library rather than kept per thread: a thread-local object with a
// destructor would keep the library loaded, after the host unloads it, until every thread that
// ever read a file ends. The shared one goes when the library goes.
class ScratchLease {
public:
    ScratchLease() noexcept;
    ~ScratchLease();
    // The lease, and a scratch of its own, move to the new object; the buffers, and any text in
    // them, stay where they are.
    ScratchLease(ScratchLease&& Other) noexcept;
    ScratchLease& operator=(ScratchLease&&) = delete;

    ReadScratch& Scratch() noexcept { return *Lent; }

private:
    std::optional<ReadScratch> Own;
    ReadScratch* Lent = nullptr;
};

// What the shared scratch holds between reads. For tests: not while a read may run.
std::size_t SharedScratchHeldBytes() noexcept;

}  // namespace QVH::detail

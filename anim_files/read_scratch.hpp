#pragma once

#include <cstddef>
#include <memory>
#include <optional>

#include "File/Macros.hpp"

namespace QVH::detail {

// The buffers a file read works in: one piece of the file's bytes at a time, and, for a read that
// only follows the text, one piece's decoded units. Reads reuse one set between them, so a read
// allocates nothing but the text's own room. They carry nothing from one read to the next: every
// read fills them afresh from the disk.
class ReadScratch {
public:
    // Bytes read from the file at a time: small enough for the processor's cache, large enough
    // that a big file costs few system calls.
    static constexpr std::size_t PieceBytes = 128 << 10;
    // Bytes before a piece that may be written too: room to put bytes kept from the last piece.
    static constexpr std::size_t RoomBefore = 16;
    // Units one piece decodes to at most, with the bytes kept from the piece before.
    static constexpr std::size_t PieceUnits = RoomBefore + PieceBytes;

    // PieceBytes bytes, with RoomBefore bytes of room before them. Throws std::bad_alloc when
    // memory runs out.
    char* Piece();
    // PieceUnits units. Throws std::bad_alloc when memory runs out.
    RC::CharType* PieceOfUnits();
    std::size_t HeldBytes() const noexcept;

private:
    std::unique_ptr<char[]> PieceBuffer;
    std::unique_ptr<RC::CharType[]> UnitBuffer;
};

// The reads' shared scratch for the length of one read. A read that starts while it is lent (one
// on another thread, or a read inside a read through a log device) gets a scratch of its own for
// that read. Any thread.
//
// The scratch is shared by the library rather than kept per thread: a thread-local object with a
// destructor would keep the library loaded, after the host unloads it, until every thread that
// ever read a file ends. The shared one goes when the library goes.
class ScratchLease {
public:
    ScratchLease() noexcept;
    ~ScratchLease();
    ScratchLease(const ScratchLease&) = delete;
    ScratchLease& operator=(const ScratchLease&) = delete;

    ReadScratch& Scratch() noexcept { return *Lent; }

private:
    std::optional<ReadScratch> Own;
    ReadScratch* Lent = nullptr;
};

// What the shared scratch holds between reads. For tests: not while a read may run.
std::size_t SharedScratchHeldBytes() noexcept;

}  // namespace QVH::detail

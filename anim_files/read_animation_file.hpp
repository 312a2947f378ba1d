#pragma once

#include "File/Macros.hpp"
#include "anim_files/read_scratch.hpp"

namespace QVH {

// Text lent from the reads' shared scratch, NUL-terminated, for as long as the object lives: what
// ReadAnimationFile gives, for the caller to make the engine string of. It moves, never copies.
class LentText {
public:
    LentText(LentText&&) noexcept = default;
    LentText& operator=(LentText&&) = delete;

    // The text followed by a NUL; "" when the read gave none. Never null.
    const RC::CharType* c_str() const noexcept;

private:
    friend LentText ReadAnimationFile(RC::StringViewType Name);
    LentText(detail::ScratchLease InLease, const RC::CharType* InUnits) noexcept;

    detail::ScratchLease Lease;
    const RC::CharType* Units;  // in Lease's scratch; null when the read gave no text
};

// The text of the file Name in the animation folder (AnimationFolder), read afresh from disk and
// decoded (UTF-8, or UTF-16 after a UTF-16 byte-order mark), with every CR and LF removed; it ends
// at the first NUL, and nothing after that is read. A name that is not valid UTF-16 (half a
// surrogate pair), leaves the folder or names a device, a file that is not a regular one or cannot
// be opened or read, a folder, or text too long for an engine string gives the empty text and one
// log line naming the file (its control characters escaped). Name is not needed once this returns.
// Throws std::bad_alloc when memory runs out, and what the log's devices throw. Keeps no state:
// any thread, any number at once.
LentText ReadAnimationFile(RC::StringViewType Name);

}  // namespace QVH

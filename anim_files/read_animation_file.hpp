#pragma once

#include "File/Macros.hpp"
#include "Unreal/FString.hpp"
#include "anim_files/read_file_text.hpp"
#include "anim_files/read_scratch.hpp"

namespace QVH {

// The text of the file Name in the animation folder (AnimationFolder), read
// afresh from disk and decoded (UTF-8, or UTF-16 after a UTF-16 byte-order mark), with every CR
// and LF removed; it ends at the first NUL, and nothing after that is read. A name that is not
// valid UTF-16 (half a surrogate pair), leaves the folder or names a device, a file that is not a
// regular one or cannot be opened or read, a folder, or text too long for an engine string gives
// the empty string and one log line naming the file (its control characters escaped). Throws
// std::bad_alloc when memory runs out, and what the log's devices throw. Keeps no state: any
// thread, any number at once.
RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name);

// The same read, for a caller that builds the engine string itself: the text stays in the reads'
// shared scratch, NUL-terminated, for as long as the object lives, and Name is not needed once it
// is made. The failures, log lines and exceptions are ReadAnimationFile's.
class AnimationFileText {
public:
    explicit AnimationFileText(RC::StringViewType Name);
    AnimationFileText(const AnimationFileText&) = delete;
    AnimationFileText& operator=(const AnimationFileText&) = delete;

    // The text followed by a NUL; "" when the file gave none. Never null.
    const RC::CharType* c_str() const noexcept;

private:
    detail::ScratchLease Lease;
    detail::FileText Text;
};

}  // namespace QVH

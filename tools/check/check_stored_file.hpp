#pragma once

#include "tools/check/check_finding.hpp"
#include "tools/check/stored_text.hpp"

namespace QVH::Check {

// What the checks of the stored bytes learnt, for the checks that follow.
struct StoredFileFacts {
    bool Empty = false;
    bool EndsAtNul = false;
};

// Checks a file's bytes as stored: whether it is empty, looks like UTF-16 without a byte-order
// mark, holds a NUL (where the text ends) or bytes the mod replaces by U+FFFD.
StoredFileFacts CheckStoredFile(const StoredText& Text, EntryFindings& Out);

}  // namespace QVH::Check

#pragma once

#include "tools/check/check_finding.hpp"
#include "tools/check/disk_file.hpp"

namespace QVH::Check {

// Checks a file's bytes as stored: whether it is empty, looks like UTF-16 without a byte-order
// mark, holds a NUL (where the text ends) or bytes the mod replaces by U+FFFD.
void CheckFileBytes(const DiskFile& File, EntryFindings& Out);

}  // namespace QVH::Check

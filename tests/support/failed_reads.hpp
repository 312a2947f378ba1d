#pragma once

#include <span>
#include <string>

#include "tests/support/game_folder.hpp"

namespace QVH::Test {

// A name that a read fails on, and the mod's log line for it without the mod's prefix and the
// line feed.
struct FailedRead {
    std::u16string Name;
    std::u16string Line;
};

// Puts in Game what the failed reads' names lead to, or would lead to were they not refused: a
// folder, files just outside the animation folder and, on POSIX systems, the files that the UTF-8
// bytes of lone surrogates would name, and a FIFO. A fatal test failure when one cannot be made.
void MakeWhatFailedReadsReach(const GameFolder& Game);

// Names that a read fails on, each with its one line: missing files, folders, names that leave the
// folder or are not valid text, a device, and names whose characters could forge a line or hide
// what it says.
std::span<const FailedRead> FailedReads();

}  // namespace QVH::Test

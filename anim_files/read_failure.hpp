#pragma once

#include "File/Macros.hpp"

namespace QVH {

// Why a read of a file gave no text. Device: the path names a device, or anything else that is not
// a regular file (a FIFO, a socket). TooLarge: its text could pass an engine string's length.
// OutOfMemory: the engine's allocator could not give room for the text.
enum class ReadFailure { Missing, Folder, Device, OpenFailed, TooLarge, ReadFailed, OutOfMemory };

// The words a failed read is told in: what the mod's log line says before the file's name
// ("Animation file not found"), and what the folder check says of a file it cannot read. Any
// thread.
RC::StringViewType ReadFailureWords(ReadFailure Failure);

}  // namespace QVH

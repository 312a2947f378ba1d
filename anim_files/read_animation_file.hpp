#pragma once

#include "Unreal/FString.hpp"

namespace QVH {

// Replaces Payload, the name of a file in the animation folder (AnimationFolder), with that file's
// text, read afresh from disk and decoded (UTF-8, or UTF-16 after a UTF-16 byte-order mark) with
// every CR and LF removed, straight into Payload's own memory. The name ends at its first NUL; so
// does the text, and nothing after that is read. A name that is not valid UTF-16 (half a surrogate
// pair), leaves the folder or names a device, a file that is not a regular one or cannot be opened
// or read, a folder, text too long for an engine string, or memory running out, empties Payload
// with one log line naming the file (its control characters escaped). Throws what the log's
// devices throw; Payload then keeps its name unless the text had begun to replace it. Any thread,
// any number at once.
void ReadAnimationFile(RC::Unreal::FString& Payload);

}  // namespace QVH

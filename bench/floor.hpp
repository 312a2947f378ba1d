#pragma once

#include "Unreal/FString.hpp"
#include "bridge/comms_call_block.hpp"

// The least any implementation must do to serve the two calls through the host's interface: the
// floor the mod is measured against. No checks, no decoding, no logging; Linux only.
namespace QVH::Bench {

// Opens the file named (in ASCII) by Block's Payload, asks its size, reads it with one read()
// into a new buffer and widens it in one pass straight into Payload's own array, sized once.
// Line breaks are not removed, nothing is decoded.
void FloorReadAnimationFile(CommsCallBlock& Block);

// A bare readdir() loop appending each name but "." and "..", widened, into a reserved buffer with
// "|" between names, then the engine string.
RC::Unreal::FString FloorListAnimationFiles();

}  // namespace QVH::Bench

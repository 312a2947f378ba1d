#pragma once

#include "bridge/comms_call_block.hpp"

namespace QVH::Bench {

// The mod's read as the game makes it: the whole DispatchCommsCall on Block, a CallType 2 call
// whose Payload holds the name, which the file's text replaces.
void ModReadAnimationFile(CommsCallBlock& Block);

}  // namespace QVH::Bench

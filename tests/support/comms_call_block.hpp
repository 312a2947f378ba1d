#pragma once

#include "File/Macros.hpp"
#include "bridge/comms_call_block.hpp"

namespace QVH::Test {

using QVH::CommsCallBlock;

// Payload of a block seen through the untyped pointer the engine passes around.
RC::StringType PayloadAt(const void* Params);

// Runs DispatchCommsCall on Block as the host runs a pre-call hook.
void Dispatch(CommsCallBlock& Block, void* CustomData = nullptr);

}  // namespace QVH::Test

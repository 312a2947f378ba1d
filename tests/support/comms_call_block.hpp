#pragma once

#include "File/Macros.hpp"
#include "bridge/comms_call_block.hpp"

namespace QVH::Test {

using QVH::CommsCallBlock;

// Payload of a block seen through the untyped pointer the engine passes around.
RC::StringType PayloadAt(const void* Params);

// Calls CPPCommsCall through the stand-in host's hooks on "Idle.json", whose text is "{}" once
// its line breaks are gone: a read gives the text, and an invalid CallType one log line, each
// exactly once. An answer written twice over would read the text as a name, and miss it.
void ExpectEachCallAnsweredOnce();

// Runs DispatchCommsCall on Block as the host runs a pre-call hook.
void Dispatch(CommsCallBlock& Block, void* CustomData = nullptr);

}  // namespace QVH::Test

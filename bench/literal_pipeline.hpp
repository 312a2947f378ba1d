#pragma once

#include "Unreal/FString.hpp"
#include "bridge/comms_call_block.hpp"

// The straightforward way to serve the two calls, kept as the reference the mod is measured
// against: each step done the plain way, with no thought for copies or passes.
namespace QVH::Bench {

// Reads the file named by Block's Payload through a text-mode std::ifstream and
// std::istreambuf_iterator, removes CR and then LF with two erase-remove passes, widens each
// byte to one unit, builds an engine string from the NUL-terminated units and assigns it to
// Payload.
void LiteralReadAnimationFile(CommsCallBlock& Block);

// Lists the animation folder with std::filesystem::directory_iterator, joins each entry's
// generic_string() with "|" into a std::string, widens it and builds the engine string.
RC::Unreal::FString LiteralListAnimationFiles();

}  // namespace QVH::Bench

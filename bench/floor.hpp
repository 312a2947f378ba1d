#pragma once

#include "Unreal/FString.hpp"

// The least any implementation must do to serve the two calls through the host's interface: the
// floor the mod is measured against. No checks, no decoding, no logging; Linux only.
namespace QVH::Bench {

// Opens the file Name (ASCII) of the animation folder, asks its size, reads it with one read()
// into a new buffer, widens it in one pass into a new buffer of units and builds the engine
// string from that. Line breaks are not removed.
RC::Unreal::FString FloorReadAnimationFile(RC::Unreal::FString Name);

// A bare readdir() loop appending each name but "." and "..", widened, into a reserved buffer with
// "|" between names, then the engine string.
RC::Unreal::FString FloorListAnimationFiles();

}  // namespace QVH::Bench

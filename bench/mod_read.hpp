#pragma once

#include "Unreal/FString.hpp"

namespace QVH::Bench {

// The mod's read as the dispatch uses it: ReadAnimationFile, then the engine string made of the
// text it lends. Taken from Name's characters, as the dispatch takes them from Payload.
RC::Unreal::FString ModReadAnimationFile(RC::Unreal::FString Name);

}  // namespace QVH::Bench

#pragma once

#include "Unreal/FString.hpp"

namespace QVH {

// The content of the file Name in the animation folder "../../Content/Paks/~Mods/AnimJSON/",
// read afresh from disk, with every CR and LF removed. Runs on the calling thread.
RC::Unreal::FString ReadAnimationFile(RC::Unreal::FString Name);

}  // namespace QVH

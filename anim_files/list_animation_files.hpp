#pragma once

#include "Unreal/FString.hpp"

namespace QVH {

// The names of the entries of the animation folder "../../Content/Paks/~Mods/AnimJSON", in the
// file system's order, joined by "|"; read afresh from disk. Throws
// std::filesystem::filesystem_error when the folder cannot be listed. Runs on the calling thread.
RC::Unreal::FString ListAnimationFiles();

}  // namespace QVH

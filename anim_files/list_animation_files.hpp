#pragma once

#include "Unreal/FString.hpp"

namespace QVH {

// The names of the entries of the animation folder (AnimationFolder), in the
// file system's order, joined by "|"; read afresh from disk, with no filter and no sorting. Each
// name is the file system's own Unicode name: on Windows its UTF-16 name unchanged, elsewhere its
// bytes decoded as UTF-8 (ill-formed bytes as U+FFFD). Throws std::filesystem::filesystem_error
// ("directory_iterator::directory_iterator" with the folder path) when the folder cannot be
// opened, or ("directory_iterator::operator++") when the enumeration fails part-way;
// std::bad_alloc when memory runs out. Keeps no state: any thread, any number at once.
RC::Unreal::FString ListAnimationFiles();

}  // namespace QVH

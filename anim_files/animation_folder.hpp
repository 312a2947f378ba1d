#pragma once

#include <string_view>

namespace QVH {

// The animation data folder, relative to the game's working directory (its Binaries/Win64), so
// that it lands in the game's Content/Paks/~Mods/AnimJSON. UTF-8, no trailing separator.
inline constexpr std::u8string_view AnimationFolder = u8"../../Content/Paks/~Mods/AnimJSON";

}  // namespace QVH

#pragma once

#include <optional>

#include "Unreal/FString.hpp"

namespace QVH {

// The names of the entries of the animation folder (AnimationFolder), in the file system's order,
// joined by ListingSeparator ("|"); read afresh from disk, with no filter and no sorting. Each name
// is the file system's own Unicode name: on Windows its UTF-16 name unchanged, elsewhere its bytes
// decoded as UTF-8 (ill-formed bytes as U+FFFD). A folder that cannot be listed gives nothing and
// one log line: "Animation folder not found: FOLDER" when it does not exist, "Could not list the
// animation folder: FOLDER (REASON)" for any other failure, REASON the system's own text. Throws
// std::bad_alloc when memory runs out, and what the log's devices throw. Keeps no state: any
// thread, any number at once.
std::optional<RC::Unreal::FString> ListAnimationFiles();

}  // namespace QVH

#pragma once

#include "File/Macros.hpp"

namespace QVH {

// Whether Name, a file name relative to the animation folder, stays inside that folder: it is not
// absolute or rooted (no leading "/" or "\", no drive such as "C:" or "C:x.json") and none of its
// components, split on "/" and "\", climbs out (".." and the like). Sub-folders are fine. Looks
// at the text only; any thread.
bool IsNameInsideAnimationFolder(RC::StringViewType Name);

}  // namespace QVH

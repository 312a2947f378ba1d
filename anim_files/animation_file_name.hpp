#pragma once

#include <string>

#include "File/Macros.hpp"

namespace QVH {

// Whether Name, a file name relative to the animation folder, stays inside that folder: it is not
// absolute or rooted (no leading "/" or "\", no drive such as "C:" or "C:x.json") and none of its
// components, split on "/" and "\", climbs out (".." and the like). Sub-folders are fine. Looks
// at the text only; any thread.
bool IsNameInsideAnimationFolder(RC::StringViewType Name);

// The text of the path that a read of Name opens: the animation folder, "/", then Name's
// UTF-8, taken as UTF-8 text so that the name reaches the file of that name on every
// system. Checks nothing: ask IsWellFormedUtf16 and IsNameInsideAnimationFolder first. Any
// thread.
std::u8string AnimationFilePathText(RC::StringViewType Name);

// The name a path from AnimationFilePathText was made of, for a name that is valid UTF-16. Any
// thread.
RC::StringType AnimationFileNameIn(std::u8string_view Path);

}  // namespace QVH

#pragma once

#include <initializer_list>

#include "File/Macros.hpp"

namespace QVH {

// What every line of the mod's own starts with, so a reader of the host's log knows whose it is.
inline constexpr RC::StringViewType LogPrefix = STR("QVH_MotionArchive : ");

// Sends one line through LogMessage: LogPrefix, then each of Parts in turn. Throws what
// LogMessage throws, and std::bad_alloc when memory runs out. Any thread.
void LogLine(std::initializer_list<RC::StringViewType> Parts);

}  // namespace QVH

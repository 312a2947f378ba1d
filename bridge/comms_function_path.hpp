#pragma once

#include <iterator>

#include "File/Macros.hpp"

namespace QVH {

// The full path of CPPCommsCall, the widget's function that the mod hooks. The Blueprint side ships
// it under this name; it exists only once the game has loaded the widget's asset.
inline constexpr RC::CharType CommsFunctionPath[] =
    STR("/Game/Mods/QVH_MotionArchive/QVH_SuperWidget.QVH_SuperWidget_C:CPPCommsCall");

inline constexpr RC::StringViewType CommsFunctionPathView{CommsFunctionPath,
                                                          std::size(CommsFunctionPath) - 1};
static_assert(CommsFunctionPathView.size() == 75);

}  // namespace QVH

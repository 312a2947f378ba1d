#pragma once

#include <string_view>

#include "File/Macros.hpp"

namespace QVH::HostTool {

// Engine text of UTF-8 Bytes, into Out. False for ill-formed UTF-8: text typed for the Blueprint
// must arrive exactly as typed, so nothing is patched.
bool DecodeUtf8(std::string_view Bytes, RC::StringType& Out);

}  // namespace QVH::HostTool

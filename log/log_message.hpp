#pragma once

#include "File/Macros.hpp"

namespace QVH {

// Sends Message, followed by one line feed, to each of the host's default output devices in turn.
// A device that takes the optional argument receives 2 (the host's verbose
// level) with it. Throws std::runtime_error on a null
// device entry (the devices before it have the line); exceptions from a device pass through. Any
// thread, as long as the host does not change its device list meanwhile.
void LogMessage(RC::StringViewType Message);

}  // namespace QVH

#pragma once

#include <filesystem>

#include "HostApi.hpp"

namespace StandIn {

// The absolute folder of the running program's executable, whatever the working directory: the
// stand-in host finds the mod beside itself there. Throws std::filesystem::filesystem_error when
// the system cannot tell.
RC_UE4SS_API std::filesystem::path ProgramFolder();

}  // namespace StandIn

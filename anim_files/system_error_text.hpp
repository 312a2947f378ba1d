#pragma once

#include <system_error>

#include "File/Macros.hpp"

namespace QVH {

// The system's own text for Error, in the user's language where the system has one, without a
// trailing full stop or line end: what a log line says after a file's or the folder's name when
// opening, reading or listing failed. Any thread.
RC::StringType SystemErrorText(std::error_code Error);

}  // namespace QVH

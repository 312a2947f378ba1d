#pragma once

#include "File/Macros.hpp"

namespace QVH {

// Logs one line: LogPrefix, What, then the text of the exception being handled ("unknown error"
// for one that is not a std::exception). Call it only from inside a catch block. Raises nothing:
// when even the line cannot be sent, it is dropped, since the callers sit at boundaries with the
// host where no exception may pass. Any thread.
void LogCurrentException(RC::StringViewType What) noexcept;

}  // namespace QVH

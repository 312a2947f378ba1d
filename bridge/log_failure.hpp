#pragma once

#include "File/Macros.hpp"

namespace QVH::detail {

// Logs one line: Prefix followed by the text of the exception being handled ("unknown error" for
// one that is not a std::exception). Call it only from inside a catch block. Raises nothing: when
// even the line cannot be sent, it is dropped, since the callers sit at boundaries with the host
// where no exception may pass.
void LogCurrentException(RC::StringViewType Prefix) noexcept;

}  // namespace QVH::detail

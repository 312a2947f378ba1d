#pragma once

#include <cstdint>

#include "File/Macros.hpp"
#include "HostApi.hpp"

namespace RC::Output {

// A destination for log lines. The order of the virtuals is the host's ABI.
class RC_UE4SS_API OutputDevice {
public:
    virtual ~OutputDevice();
    virtual auto has_optional_arg() const -> bool;
    virtual auto receive(File::StringViewType fmt) const -> void = 0;
    virtual auto receive_with_optional_arg(File::StringViewType fmt, int32_t optional_arg) const
        -> void;
};

}  // namespace RC::Output

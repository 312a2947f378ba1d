#pragma once

#include <cstdint>

#include "File/Macros.hpp"
#include "HostApi.hpp"

namespace RC::Color {
enum Color : int32_t { Default, NoColor, Cyan, Yellow, Red, Green, Blue, Magenta };
}  // namespace RC::Color

namespace RC::LogLevel {
enum LogLevel : int32_t { Default, Normal, Verbose, Warning, Error };
}  // namespace RC::LogLevel

namespace RC::Output {

// A destination for log lines. It writes what it receives and adds no line end. The order of the
// virtuals is the host's ABI.
class RC_UE4SS_API OutputDevice {
public:
    using FormatterType = StringType (*)(StringViewType);

    OutputDevice() = default;
    virtual ~OutputDevice();
    OutputDevice(const OutputDevice&) = delete;
    OutputDevice& operator=(const OutputDevice&) = delete;

    virtual auto has_optional_arg() const -> bool;
    virtual auto receive(StringViewType fmt) const -> void = 0;
    // The host's base does not forward to receive: a device that says it takes the optional
    // argument must override this, and calling it on one that does not throws.
    virtual auto receive_with_optional_arg(StringViewType fmt, int32_t optional_arg = 0) const
        -> void;
    virtual auto lock() const -> void;
    virtual auto unlock() const -> void;

protected:
    bool m_is_device_ready = true;
    FormatterType m_formatter = nullptr;
};

}  // namespace RC::Output

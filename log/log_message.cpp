#include "log/log_message.hpp"

#include <stdexcept>

#include "DynamicOutput/Output.hpp"

namespace QVH {

void LogMessage(RC::StringViewType Message) {
    // The host's devices write what they are given, and every line of the host's own ends in a
    // line feed; without one, the next line of the log file and consoles would run on from this.
    RC::StringType Line;
    Line.reserve(Message.size() + 1);
    Line += Message;
    Line += '\n';
    auto& Devices = RC::Output::DefaultTargets::get_default_devices_ref();
    for (const auto& Device : Devices) {
        if (!Device) {
            throw std::runtime_error(
                "[Output::send] Attempted to send but there were no default devices. Please "
                "specify at least one default device or construct a Targets object and supply "
                "your own devices.");
        }
        if (Device->has_optional_arg()) {
            Device->receive_with_optional_arg(Line, RC::LogLevel::Verbose);
        } else {
            Device->receive(Line);
        }
    }
}

}  // namespace QVH

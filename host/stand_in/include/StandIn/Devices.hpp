#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "DynamicOutput/OutputDevice.hpp"
#include "File/Macros.hpp"
#include "HostApi.hpp"

// Output devices of the stand-in host.
namespace StandIn {

// Writes what it receives to stderr as UTF-8, adding nothing: as the host's own devices, it
// leaves line ends to the sender.
class RC_UE4SS_API ConsoleDevice : public RC::Output::OutputDevice {
public:
    auto receive(RC::StringViewType fmt) const -> void override;
};

struct CapturedLine {
    RC::StringType Text;
    std::optional<int32_t> OptionalArg;

    bool operator==(const CapturedLine&) const = default;
};

// Lines received by capturing devices, shared with the test that reads them. Thread-safe.
class RC_UE4SS_API CapturedLines {
public:
    void Add(CapturedLine Line);
    std::vector<CapturedLine> Lines() const;
    std::vector<RC::StringType> Texts() const;

private:
    mutable std::mutex Mutex;
    std::vector<CapturedLine> Received;
};

// Records every line it receives into Sink; takes the optional argument when asked to.
class RC_UE4SS_API CapturingDevice : public RC::Output::OutputDevice {
public:
    explicit CapturingDevice(std::shared_ptr<CapturedLines> Sink, bool TakesOptionalArg = false);
    auto has_optional_arg() const -> bool override;
    auto receive(RC::StringViewType fmt) const -> void override;
    auto receive_with_optional_arg(RC::StringViewType fmt, int32_t optional_arg) const
        -> void override;

private:
    std::shared_ptr<CapturedLines> Sink;
    bool TakesOptionalArg;
};

}  // namespace StandIn

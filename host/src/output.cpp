#include <cstdio>

#include <stdexcept>

#include "DynamicOutput/Output.hpp"
#include "DynamicOutput/OutputDevice.hpp"
#include "StandIn/Devices.hpp"

namespace RC::Output {

OutputDevice::~OutputDevice() = default;

auto OutputDevice::has_optional_arg() const -> bool { return false; }

auto OutputDevice::receive_with_optional_arg(StringViewType, int32_t) const -> void {
    throw std::runtime_error(
        "OutputDevice::receive_with_optional_arg: the device takes no optional argument");
}

auto OutputDevice::lock() const -> void {}
auto OutputDevice::unlock() const -> void {}

auto DefaultTargets::get_default_devices_ref() -> std::vector<std::unique_ptr<OutputDevice>>& {
    static std::vector<std::unique_ptr<OutputDevice>> Devices;
    return Devices;
}

}  // namespace RC::Output

namespace StandIn {
namespace {

// UTF-8 of engine text for the console; units that are not valid UTF-16 become U+FFFD. The mod's
// layers, text/ among them, sit above the host, which has its own.
std::string ToDisplayUtf8(RC::StringViewType Text) {
    std::string Out;
    Out.reserve(Text.size());
    for (std::size_t I = 0; I < Text.size(); ++I) {
        char32_t C = Text[I];
        if (C >= 0xD800 && C <= 0xDBFF && I + 1 < Text.size() && Text[I + 1] >= 0xDC00 &&
            Text[I + 1] <= 0xDFFF) {
            C = 0x10000 + ((C - 0xD800) << 10) + (Text[I + 1] - 0xDC00);
            ++I;
        } else if (C >= 0xD800 && C <= 0xDFFF) {
            C = 0xFFFD;
        }
        if (C < 0x80) {
            Out += static_cast<char>(C);
        } else if (C < 0x800) {
            Out += static_cast<char>(0xC0 | (C >> 6));
            Out += static_cast<char>(0x80 | (C & 0x3F));
        } else if (C < 0x10000) {
            Out += static_cast<char>(0xE0 | (C >> 12));
            Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
            Out += static_cast<char>(0x80 | (C & 0x3F));
        } else {
            Out += static_cast<char>(0xF0 | (C >> 18));
            Out += static_cast<char>(0x80 | ((C >> 12) & 0x3F));
            Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
            Out += static_cast<char>(0x80 | (C & 0x3F));
        }
    }
    return Out;
}

}  // namespace

auto ConsoleDevice::receive(RC::StringViewType fmt) const -> void {
    // As the host's console: the text as received, line end included.
    const std::string Line = ToDisplayUtf8(fmt);
    std::fwrite(Line.data(), 1, Line.size(), stderr);
    std::fflush(stderr);
}

void CapturedLines::Add(CapturedLine Line) {
    std::scoped_lock Lock(Mutex);
    Received.push_back(std::move(Line));
}

std::vector<CapturedLine> CapturedLines::Lines() const {
    std::scoped_lock Lock(Mutex);
    return Received;
}

std::vector<RC::StringType> CapturedLines::Texts() const {
    std::scoped_lock Lock(Mutex);
    std::vector<RC::StringType> Out;
    for (const auto& Line : Received) {
        Out.push_back(Line.Text);
    }
    return Out;
}

CapturingDevice::CapturingDevice(std::shared_ptr<CapturedLines> InSink, bool InTakesOptionalArg)
    : Sink(std::move(InSink)), TakesOptionalArg(InTakesOptionalArg) {}

auto CapturingDevice::has_optional_arg() const -> bool { return TakesOptionalArg; }

auto CapturingDevice::receive(RC::StringViewType fmt) const -> void {
    Sink->Add({RC::StringType(fmt), std::nullopt});
}

auto CapturingDevice::receive_with_optional_arg(RC::StringViewType fmt, int32_t optional_arg) const
    -> void {
    Sink->Add({RC::StringType(fmt), optional_arg});
}

}  // namespace StandIn

#include "tests/support/captured_log.hpp"

namespace QVH::Test {

CapturedLog::CapturedLog(bool TakesOptionalArg) {
    auto& Devices = RC::Output::DefaultTargets::get_default_devices_ref();
    Saved = std::move(Devices);
    Devices.clear();
    Devices.push_back(std::make_unique<StandIn::CapturingDevice>(Sink, TakesOptionalArg));
}

CapturedLog::~CapturedLog() {
    RC::Output::DefaultTargets::get_default_devices_ref() = std::move(Saved);
}

}  // namespace QVH::Test

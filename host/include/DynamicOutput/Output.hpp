#pragma once

#include <memory>
#include <vector>

#include "DynamicOutput/OutputDevice.hpp"
#include "HostApi.hpp"

namespace RC::Output {

class RC_UE4SS_API DefaultTargets {
public:
    // The host's default output devices; the host owns the list and the devices, and nothing
    // guards the list against change while it is walked.
    static auto get_default_devices_ref() -> std::vector<std::unique_ptr<OutputDevice>>&;
};

}  // namespace RC::Output

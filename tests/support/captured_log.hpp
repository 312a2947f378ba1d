#pragma once

#include <memory>
#include <vector>

#include "DynamicOutput/Output.hpp"
#include "StandIn/Devices.hpp"

namespace QVH::Test {

// For its lifetime, the host's default devices are exactly one capturing device; the previous
// devices come back when it goes.
class CapturedLog {
public:
    explicit CapturedLog(bool TakesOptionalArg = false);
    ~CapturedLog();
    CapturedLog(const CapturedLog&) = delete;
    CapturedLog& operator=(const CapturedLog&) = delete;

    std::vector<RC::StringType> Texts() const { return Sink->Texts(); }
    std::vector<StandIn::CapturedLine> Lines() const { return Sink->Lines(); }

private:
    std::shared_ptr<StandIn::CapturedLines> Sink = std::make_shared<StandIn::CapturedLines>();
    std::vector<std::unique_ptr<RC::Output::OutputDevice>> Saved;
};

}  // namespace QVH::Test

#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "StandIn/ObjectRegistry.hpp"
#include "mod/qvh_motion_archive.hpp"
#include "tests/support/captured_log.hpp"

namespace QVH::Test {

// A mod object built from the mod's code, as start_mod leaves it: ModInstance points at it.
inline std::unique_ptr<QVH_MotionArchive> InstalledMod() {
    auto Mod = std::make_unique<QVH_MotionArchive>();
    ModInstance = Mod.get();
    return Mod;
}

// The stand-in host's objects and hooks start empty and are forgotten afterwards; the log is
// captured.
class ScanTest : public ::testing::Test {
protected:
    void SetUp() override { StandIn::Reset(); }
    void TearDown() override { StandIn::Reset(); }

    CapturedLog Log;
};

}  // namespace QVH::Test

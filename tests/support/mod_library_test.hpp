#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>

#include "StandIn/ModLibrary.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ProgramFolder.hpp"
#include "bridge/comms_function_path.hpp"
#include "tests/support/wait_until.hpp"

namespace QVH::Test {

// The built mod library, loaded from beside the test program as the host loads it, into a
// stand-in host whose objects and hooks start empty. The test program names the library in
// QVH_MOD_FILE_NAME.
class ModLibraryTest : public ::testing::Test {
protected:
    void SetUp() override {
        StandIn::Reset();
        std::string Error;
        Library = StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Error);
        ASSERT_TRUE(Library) << Error;
    }
    // The host's hook table may hold callables from the library: forget them before it unloads.
    void TearDown() override {
        Uninstall();
        StandIn::Reset();
        Library.reset();
    }

    // Makes CPPCommsCall findable, starts the mod into Mod, tells it the engine is ready and
    // waits up to Limit for its hook. A fatal failure when it does not start or hook.
    void StartHooked(std::chrono::milliseconds Limit) {
        StandIn::MakeFindable(CommsFunctionPathView);
        Mod = Library->CallStartMod();
        ASSERT_NE(Mod, nullptr);
        Mod->on_unreal_init();
        ASSERT_TRUE(
            WaitUntil([] { return StandIn::HookCount(CommsFunctionPathView) == 1; }, Limit));
    }

    // Calls uninstall_mod with Mod, once.
    void Uninstall() {
        if (Library && Mod != nullptr) {
            Library->CallUninstallMod(Mod);
        }
        Mod = nullptr;
    }

    std::unique_ptr<StandIn::ModLibrary> Library;
    RC::CppUserModBase* Mod = nullptr;
};

}  // namespace QVH::Test

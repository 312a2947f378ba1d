// What the mod object's scan does around the lookups: one scan per object, the entry check, and
// what the object's end takes with it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>

#include "DynamicOutput/Output.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "anim_files/host_generations.hpp"
#include "bridge/comms_function_path.hpp"
#include "mod/qvh_motion_archive.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/scan_test.hpp"
#include "tests/support/wait_until.hpp"

namespace {

using QVH::ModInstance;
using QVH::QVH_MotionArchive;

using namespace std::chrono_literals;
using QVH::Test::InstalledMod;
using QVH::Test::ScanTest;
using QVH::Test::WaitUntil;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;

TEST_F(ScanTest, ASecondEngineReadyNotificationStartsNoSecondScan) {
    auto Mod = InstalledMod();

    Mod->on_unreal_init();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([] { return StandIn::LookupCount(Path) >= 1; }, 500ms));
    std::this_thread::sleep_for(100ms);
    EXPECT_EQ(StandIn::LookupCount(Path), 1);

    // Once hooked, a later notification finds nothing to do.
    StandIn::MakeFindable(Path);
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 1500ms));
    Mod->on_unreal_init();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(StandIn::LookupCount(Path), 2);
    EXPECT_EQ(StandIn::HookCount(Path), 1);
}

TEST_F(ScanTest, TheEntryCheckStopsAScanOnAnObjectThatFoundOrHookedBefore) {
    // Findable, so that a scan that got past the check would look and hook instead of hanging.
    StandIn::MakeFindable(Path);
    RC::Unreal::UFunction Earlier;
    struct Case {
        const char* Name;
        RC::Unreal::UObject* Found;
        std::pair<int, int> Ids;
    } Cases[] = {
        {"found before, hook ids zero", &Earlier, {0, 0}},
        {"first hook id set", nullptr, {5, 0}},
        {"second hook id set", nullptr, {0, 6}},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        auto Mod = InstalledMod();
        Mod->BPToCPPCaller = C.Found;
        Mod->HookIds = C.Ids;

        QVH_MotionArchive::ScanForBPToCPPCaller();

        EXPECT_EQ(StandIn::LookupCount(Path), 0);
        EXPECT_EQ(StandIn::HookCount(Path), 0);
        EXPECT_EQ(Mod->BPToCPPCaller, C.Found);
        EXPECT_EQ(Mod->HookIds, C.Ids);
        // Not registered by this object, so not for it to remove.
        Mod->HookIds = {0, 0};
    }
}

TEST_F(ScanTest, OnlyTheModInstanceScans) {
    StandIn::MakeFindable(Path);
    QVH_MotionArchive Stray;
    ASSERT_NE(ModInstance, &Stray);

    Stray.on_unreal_init();
    std::this_thread::sleep_for(50ms);

    EXPECT_EQ(StandIn::LookupCount(Path), 0);
    EXPECT_EQ(Stray.BPToCPPCaller, nullptr);
}

TEST_F(ScanTest, HooksLeftInTheHostAfterTheObjectIsGoneDoNothing) {
    StandIn::MakeFindable(Path);
    auto Mod = InstalledMod();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));
    // The game lets go of the widget: the function found is freed, and the host refuses to
    // unhook by its path.
    StandIn::Unload(Path);

    Mod.reset();

    EXPECT_EQ(StandIn::HookCount(Path), 1);
    EXPECT_EQ(Log.Texts(),
              std::vector<RC::StringType>{
                  STR("QVH_MotionArchive : The library stays loaded until the game ends, and the "
                      "CPPCommsCall hooks left in the host do nothing; they could not be removed: "
                      "UnregisterHook: no function is loaded at the path\n")});
    // The widget loaded again: the host still runs the hooks it kept, which leave the call alone.
    StandIn::MakeFindable(Path);
    for (const std::int32_t CallType : {0, 1, 2}) {
        QVH::Test::CommsCallBlock Block(CallType, STR("Idle.json"));
        StandIn::InvokeScriptFunction(Path, Block.Data());
        EXPECT_EQ(Block.Payload(), STR("Idle.json"));
    }
    EXPECT_EQ(Log.Texts().size(), 1u);
}

TEST_F(ScanTest, DestroyingTheObjectWaitsForACallInsideItsHooks) {
    StandIn::MakeFindable(Path);
    auto Mod = InstalledMod();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));
    // A device that holds the call's log line, and with it the call, until released.
    struct Holding : RC::Output::OutputDevice {
        std::shared_ptr<std::atomic<int>> State = std::make_shared<std::atomic<int>>(0);
        auto receive(RC::StringViewType) const -> void override {
            if (State->exchange(1) == 0) {
                while (State->load() != 2) {
                    std::this_thread::sleep_for(1ms);
                }
            }
        }
    };
    auto Device = std::make_unique<Holding>();
    const auto State = Device->State;
    RC::Output::DefaultTargets::get_default_devices_ref().push_back(std::move(Device));

    std::thread Call([] {
        QVH::Test::CommsCallBlock Block(0, STR("Idle.json"));
        StandIn::InvokeScriptFunction(Path, Block.Data());
    });
    ASSERT_TRUE(WaitUntil([&] { return State->load() == 1; }, 1000ms));
    std::atomic<bool> Destroyed{false};
    std::thread Uninstall([&] {
        Mod.reset();
        Destroyed = true;
    });
    std::this_thread::sleep_for(100ms);
    EXPECT_FALSE(Destroyed);
    State->store(2);
    Call.join();
    Uninstall.join();
    EXPECT_TRUE(Destroyed);
    EXPECT_EQ(StandIn::HookCount(Path), 0);
}

TEST_F(ScanTest, DestroyingTheObjectRemovesItsHooksAndClearsModInstance) {
    StandIn::MakeFindable(Path);
    auto Mod = InstalledMod();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));
    ASSERT_EQ(StandIn::HookCount(Path), 1);

    Mod.reset();

    EXPECT_EQ(StandIn::HookCount(Path), 0);
    EXPECT_EQ(ModInstance, nullptr);
    QVH::Test::CommsCallBlock Block(7, STR("untouched"));
    StandIn::InvokeScriptFunction(Path, Block.Data());
    EXPECT_EQ(Block.Payload(), STR("untouched"));
    // The host's own line about the removal, and nothing of the mod's.
    EXPECT_EQ(Log.Texts(), std::vector<RC::StringType>{
                               RC::StringType(STR("[UnregisterHook] Unregistered the hooks of ")) +
                               RC::StringType(Path) + STR("\n")});
}

TEST_F(ScanTest, HookedCallsReachTheDispatchAndThePostCallHookChangesNothing) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{\r\n  \"Loop\": true\r\n}");
    StandIn::MakeFindable(Path);
    auto Mod = InstalledMod();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));

    struct Case {
        std::int32_t CallType;
        RC::StringType Payload;
        RC::StringType Answer;
        std::size_t LogLines;
    } Cases[] = {
        {2, STR("Idle.json"), STR("{  \"Loop\": true}"), 0},
        {1, STR("Other.json"), STR("Idle.json"), 0},
        {0, STR("Idle.json"), STR("Idle.json"), 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.CallType);
        QVH::Test::CapturedLog PerCase;
        QVH::Test::CommsCallBlock Block(C.CallType, C.Payload);
        RC::StringType BodySaw;

        StandIn::InvokeScriptFunction(Path, Block.Data(), [&](void* Params) {
            BodySaw = QVH::Test::PayloadAt(Params);
            EXPECT_EQ(PerCase.Texts().size(), C.LogLines);
        });

        EXPECT_EQ(BodySaw, C.Answer);
        EXPECT_EQ(Block.Payload(), C.Answer);
        EXPECT_EQ(Block.CallType(), C.CallType);
        EXPECT_TRUE(Block.GuardsIntact());
        EXPECT_EQ(PerCase.Texts().size(), C.LogLines);
    }
}

}  // namespace

// What the mod object's scan does around the lookups: one scan per object, the entry check, and
// what the object's end takes with it.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <thread>
#include <vector>

#include "DynamicOutput/Output.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/UObjectGlobals.hpp"
#include "bridge/comms_function_path.hpp"
#include "engine/host_generations.hpp"
#include "mod/qvh_motion_archive.hpp"
#include "mod/release_hooks.hpp"
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
    ASSERT_NE(ModInstance.load(), &Stray);

    Stray.on_unreal_init();
    std::this_thread::sleep_for(50ms);

    EXPECT_EQ(StandIn::LookupCount(Path), 0);
    EXPECT_EQ(Stray.BPToCPPCaller, nullptr);
}

const RC::StringType KeptLine =
    STR("QVH_MotionArchive : The library stays loaded until the game ends, and its CPPCommsCall "
        "hooks now do nothing: a changed DLL takes effect at the next start of the game\n");

TEST_F(ScanTest, TheObjectsEndLeavesItsHooksInTheHostDoingNothing) {
    // Removing them would change the host's unlocked table under the game thread.
    for (const bool UnloadedFirst : {false, true}) {
        SCOPED_TRACE(UnloadedFirst ? "widget unloaded first" : "widget loaded");
        StandIn::Reset();
        QVH::Test::CapturedLog PerCase;
        StandIn::MakeFindable(Path);
        auto Mod = InstalledMod();
        Mod->on_unreal_init();
        ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));
        if (UnloadedFirst) {
            StandIn::Unload(Path);
        }

        Mod.reset();

        EXPECT_EQ(ModInstance.load(), nullptr);
        EXPECT_EQ(StandIn::HookCount(Path), 1);
        EXPECT_EQ(PerCase.Texts(), std::vector<RC::StringType>{KeptLine});
        // The widget loaded again: the host still runs the hooks it kept, which leave the call
        // alone.
        StandIn::MakeFindable(Path);
        for (const std::int32_t CallType : {0, 1, 2}) {
            QVH::Test::CommsCallBlock Block(CallType, STR("Idle.json"));
            StandIn::InvokeScriptFunction(Path, Block.Data());
            EXPECT_EQ(Block.PayloadUnits(), STR("Idle.json"));
        }
        EXPECT_EQ(PerCase.Texts().size(), 1u);
    }
}

TEST_F(ScanTest, ALibraryThatCannotStayRemovesItsHooksByTheFunctionLoadedNow) {
    const RC::StringType Failed =
        STR("QVH_MotionArchive : The library could not be kept loaded, and its CPPCommsCall hooks "
            "could not be removed: a later call of CPPCommsCall may crash the game: ");
    struct Case {
        const char* Name;
        bool Unloaded;
        bool ZeroIds;
        int HooksLeft;
        std::vector<RC::StringType> Lines;
    } Cases[] = {
        {"function loaded",
         false,
         false,
         0,
         {RC::StringType(STR("[UnregisterHook] Unregistered the hooks of ")) +
              RC::StringType(Path) + STR("\n"),
          STR("QVH_MotionArchive : The library could not be kept loaded, so its CPPCommsCall "
              "hooks were removed: a call of CPPCommsCall under way as the library is unloaded "
              "may crash the game\n")}},
        {"function unloaded", true, false, 1, {Failed + STR("CPPCommsCall is not loaded\n")}},
        // The host would ignore them silently and keep the hooks.
        {"no hook ids", false, true, 1, {Failed + STR("RegisterHook gave no hook ids\n")}},
    };
    const auto Nothing = [](RC::Unreal::UnrealScriptFunctionCallableContext&, void*) {};
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        StandIn::Reset();
        QVH::Test::CapturedLog PerCase;
        auto* Function = static_cast<RC::Unreal::UFunction*>(StandIn::MakeFindable(Path));
        StandIn::SetFaults({.ZeroHookIds = C.ZeroIds});
        const auto Ids = RC::Unreal::UObjectGlobals::RegisterHook(Function, Nothing, Nothing, {});
        if (C.Unloaded) {
            StandIn::Unload(Path);
        }

        QVH::ReleaseHooks(Ids, false);

        EXPECT_EQ(StandIn::HookCount(Path), C.HooksLeft);
        EXPECT_EQ(PerCase.Texts(), C.Lines);
    }
}

TEST_F(ScanTest, AnObjectStartedWithoutEndingTheFirstTakesOverAndCallsAreAnsweredOnce) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{\r\n}");
    // A first object still looking when the second starts stops looking.
    auto Searching = InstalledMod();
    Searching->on_unreal_init();
    ASSERT_TRUE(WaitUntil([] { return StandIn::LookupCount(Path) == 1; }, 500ms));
    auto First = InstalledMod();
    StandIn::MakeFindable(Path);
    First->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Searching->Scan.Finished(); }, 1500ms));
    ASSERT_TRUE(First->Scan.Finished());
    EXPECT_EQ(Searching->BPToCPPCaller, nullptr);
    // One hooked before the next starts: both pairs of hooks stay, only the newest answers.
    auto Second = InstalledMod();
    Second->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Second->Scan.Finished(); }, 500ms));
    ASSERT_EQ(StandIn::HookCount(Path), 2);
    QVH::Test::ExpectEachCallAnsweredOnce();
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
    EXPECT_EQ(StandIn::HookCount(Path), 1);
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
        {QVH::ReadCallType, STR("Idle.json"), STR("{  \"Loop\": true}"), 0},
        {QVH::ListCallType, STR("Other.json"), STR("Idle.json"), 0},
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
        EXPECT_EQ(Block.PayloadUnits(), C.Answer);
        EXPECT_EQ(Block.CallType(), C.CallType);
        EXPECT_TRUE(Block.GuardsIntact());
        EXPECT_EQ(PerCase.Texts().size(), C.LogLines);
    }
}

}  // namespace

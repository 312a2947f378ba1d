// Finding and hooking the widget's comms function, with the mod object built from the mod's code
// and run against the stand-in host's object system.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <thread>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/UObjectGlobals.hpp"
#include "bridge/comms_function_path.hpp"
#include "mod/qvh_motion_archive.hpp"
#include "support/captured_log.hpp"
#include "support/comms_call_block.hpp"
#include "support/game_folder.hpp"
#include "support/wait_until.hpp"

namespace {

using namespace std::chrono_literals;
using qvh_test::MillisecondsSince;
using qvh_test::WaitUntil;
using Clock = std::chrono::steady_clock;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;
constexpr RC::StringViewType FailedPrefix =
    STR("QVH_MotionArchive : Scan for CPPCommsCall failed: ");

// A mod object as start_mod leaves it: ModInstance points at it.
std::unique_ptr<QVH_MotionArchive> InstalledMod() {
    auto Mod = std::make_unique<QVH_MotionArchive>();
    ModInstance = Mod.get();
    return Mod;
}

class ScanTest : public ::testing::Test {
protected:
    void SetUp() override { StandIn::Reset(); }
    void TearDown() override { StandIn::Reset(); }

    qvh_test::CapturedLog Log;
};

TEST_F(ScanTest, ALoadedFunctionIsHookedAtTheFirstLookupWithoutWaiting) {
    RC::Unreal::UObject* const Function = StandIn::MakeFindable(Path);
    auto Mod = InstalledMod();

    const auto Start = Clock::now();
    Mod->on_unreal_init();
    EXPECT_LT(MillisecondsSince(Start), 100);
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));
    EXPECT_LT(MillisecondsSince(Start), 500);

    EXPECT_EQ(StandIn::LookupCount(Path), 1);
    EXPECT_EQ(StandIn::HookCount(Path), 1);
    EXPECT_EQ(Mod->BPToCPPCaller, Function);
    EXPECT_NE(Mod->HookIds, (std::pair{0, 0}));
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ScanTest, AFunctionLoadedLaterIsHookedAtTheNextLookupASecondLater) {
    StandIn::MakeFindableAfter(Path, 300ms);
    auto Mod = InstalledMod();

    const auto Start = Clock::now();
    Mod->on_unreal_init();
    EXPECT_LT(MillisecondsSince(Start), 100);
    ASSERT_TRUE(WaitUntil([] { return StandIn::HookCount(Path) == 1; }, 2500ms));
    const auto HookedAfter = MillisecondsSince(Start);
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));

    // Looked at once, found nothing, waited one second, found it.
    EXPECT_GE(HookedAfter, 950);
    EXPECT_LE(HookedAfter, 1600);
    EXPECT_EQ(StandIn::LookupCount(Path), 2);
    EXPECT_NE(Mod->BPToCPPCaller, nullptr);
}

TEST_F(ScanTest, AFunctionNeverLoadedIsLookedForOnceASecondUntilTheObjectGoes) {
    auto Mod = InstalledMod();

    const auto Start = Clock::now();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([] { return StandIn::LookupCount(Path) >= 3; }, 3000ms));
    const auto ThirdLookupAfter = MillisecondsSince(Start);
    EXPECT_GE(ThirdLookupAfter, 1900);
    EXPECT_LE(ThirdLookupAfter, 2700);
    EXPECT_EQ(StandIn::HookCount(Path), 0);
    EXPECT_FALSE(Mod->Scan.Finished());

    // The one-second wait gives way at once.
    const auto StopStart = Clock::now();
    Mod->Scan.Stop();
    EXPECT_LT(MillisecondsSince(StopStart), 100);
    EXPECT_EQ(Mod->BPToCPPCaller, nullptr);
    EXPECT_EQ(Mod->HookIds, (std::pair{0, 0}));
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ScanTest, HookIdsOfZeroAreStoredAndTheScanEndsAllTheSame) {
    RC::Unreal::UObject* const Function = StandIn::MakeFindable(Path);
    StandIn::SetFaults({.ZeroHookIds = true});
    auto Mod = InstalledMod();

    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 1500ms));

    EXPECT_EQ(Mod->HookIds, (std::pair{0, 0}));
    EXPECT_EQ(Mod->BPToCPPCaller, Function);
    EXPECT_EQ(StandIn::LookupCount(Path), 1);
    EXPECT_EQ(StandIn::HookCount(Path), 1);
}

TEST_F(ScanTest, AHostFailureEndsTheScanWithOneLogLine) {
    const auto Fail = [](auto Thrown) { return [Thrown] { throw Thrown; }; };
    struct Case {
        const char* Name;
        StandIn::Faults Faults;
        RC::StringType Line;
        bool FoundFirst;
    } Cases[] = {
        {"lookup throws",
         {.InFindObject = Fail(std::runtime_error("lookup broke"))},
         RC::StringType(FailedPrefix) + STR("lookup broke"),
         false},
        {"registration throws",
         {.InRegisterHook = Fail(std::runtime_error("hook table full"))},
         RC::StringType(FailedPrefix) + STR("hook table full"),
         true},
        {"registration throws no std::exception",
         {.InRegisterHook = Fail(42)},
         RC::StringType(FailedPrefix) + STR("unknown error"),
         true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        StandIn::Reset();
        qvh_test::CapturedLog PerCase;
        RC::Unreal::UObject* const Function = StandIn::MakeFindable(Path);
        StandIn::SetFaults(C.Faults);
        auto Mod = InstalledMod();

        Mod->on_unreal_init();
        ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 1500ms));

        EXPECT_EQ(PerCase.Texts(), std::vector<RC::StringType>{C.Line});
        EXPECT_EQ(StandIn::LookupCount(Path), 1);
        EXPECT_EQ(StandIn::HookCount(Path), 0);
        EXPECT_EQ(Mod->BPToCPPCaller, C.FoundFirst ? Function : nullptr);
        EXPECT_EQ(Mod->HookIds, (std::pair{0, 0}));
    }
}

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

TEST_F(ScanTest, DestroyingTheObjectRemovesItsHooksAndClearsModInstance) {
    StandIn::MakeFindable(Path);
    auto Mod = InstalledMod();
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([&] { return Mod->Scan.Finished(); }, 500ms));
    ASSERT_EQ(StandIn::HookCount(Path), 1);

    Mod.reset();

    EXPECT_EQ(StandIn::HookCount(Path), 0);
    EXPECT_EQ(ModInstance, nullptr);
    qvh_test::CommsCallBlock Block(7, STR("untouched"));
    StandIn::InvokeScriptFunction(Path, Block.Data());
    EXPECT_EQ(Block.Payload(), STR("untouched"));
    EXPECT_TRUE(Log.Texts().empty());
}

TEST_F(ScanTest, HookedCallsReachTheDispatchAndThePostCallHookChangesNothing) {
    qvh_test::GameFolder Game;
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
        qvh_test::CapturedLog PerCase;
        qvh_test::CommsCallBlock Block(C.CallType, C.Payload);
        RC::StringType BodySaw;

        StandIn::InvokeScriptFunction(Path, Block.Data(), [&](void* Params) {
            BodySaw = qvh_test::PayloadAt(Params);
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

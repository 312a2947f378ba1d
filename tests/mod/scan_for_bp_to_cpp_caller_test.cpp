// Finding and hooking the widget's CPPCommsCall, with the mod object built from the mod's code
// and run against the stand-in host's object system.
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <utility>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "mod/qvh_motion_archive.hpp"
#include "tests/support/scan_test.hpp"
#include "tests/support/wait_until.hpp"

namespace {

using namespace std::chrono_literals;
using QVH::Test::InstalledMod;
using QVH::Test::MillisecondsSince;
using QVH::Test::ScanTest;
using QVH::Test::WaitUntil;
using Clock = std::chrono::steady_clock;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;
constexpr RC::StringViewType FailedPrefix =
    STR("QVH_MotionArchive : Scan for CPPCommsCall failed: ");

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
    EXPECT_TRUE(Log.Texts().empty());
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
         RC::StringType(FailedPrefix) + STR("lookup broke\n"),
         false},
        {"registration throws",
         {.InRegisterHook = Fail(std::runtime_error("hook table full"))},
         RC::StringType(FailedPrefix) + STR("hook table full\n"),
         true},
        {"registration throws no std::exception",
         {.InRegisterHook = Fail(42)},
         RC::StringType(FailedPrefix) + STR("unknown error\n"),
         true},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.Name);
        StandIn::Reset();
        QVH::Test::CapturedLog PerCase;
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

}  // namespace

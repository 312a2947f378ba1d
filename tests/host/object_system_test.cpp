#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <stdexcept>
#include <string>
#include <thread>

#include "HostGeneration.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/UObjectGlobals.hpp"
#include "engine/host_generations.hpp"
#include "tests/support/captured_log.hpp"

namespace {

using namespace std::chrono_literals;
namespace Globals = RC::Unreal::UObjectGlobals;
using RC::Unreal::UnrealScriptFunctionCallableContext;

const RC::StringType Path = STR("/Game/Test/Widget.Widget_C:Function");

class ObjectSystemTest : public ::testing::Test {
protected:
    void SetUp() override { StandIn::Reset(); }
    void TearDown() override { StandIn::Reset(); }
};

TEST_F(ObjectSystemTest, FindsAnObjectOnlyOnceItIsLoaded) {
    EXPECT_EQ(Globals::FindObject(nullptr, nullptr, Path), nullptr);
    StandIn::MakeFindableAfter(Path, 150ms);
    EXPECT_EQ(Globals::FindObject(nullptr, nullptr, Path), nullptr);
    std::this_thread::sleep_for(200ms);
    RC::Unreal::UObject* Found = Globals::FindObject(nullptr, nullptr, Path);
    EXPECT_NE(Found, nullptr);
    EXPECT_EQ(StandIn::MakeFindable(Path), Found);
    EXPECT_EQ(StandIn::LookupCount(Path), 3);
}

TEST_F(ObjectSystemTest, RunsPreHooksThenBodyThenPostHooksOnTheSameBlock) {
    StandIn::MakeFindable(Path);
    std::string Order;
    int Block = 0;
    const auto Ids = Globals::RegisterHook(
        Path,
        [&](UnrealScriptFunctionCallableContext& Context, void* Data) {
            Order += "pre ";
            EXPECT_EQ(Context.TheStack.Locals(), reinterpret_cast<RC::Unreal::uint8*>(&Block));
            EXPECT_EQ(Data, &Order);
            *reinterpret_cast<int*>(Context.TheStack.Locals()) = 7;
        },
        [&](UnrealScriptFunctionCallableContext&, void*) { Order += "post"; }, &Order);
    // A Blueprint function's two hooks share one id.
    EXPECT_NE(Ids.first, 0);
    EXPECT_EQ(Ids.first, Ids.second);

    StandIn::InvokeScriptFunction(Path, &Block, [&](void* Params) {
        Order += "body(" + std::to_string(*static_cast<int*>(Params)) + ") ";
    });
    EXPECT_EQ(Order, "pre body(7) post");

    {
        QVH::Test::CapturedLog Log;
        auto* Function =
            static_cast<RC::Unreal::UFunction*>(Globals::FindObject(nullptr, nullptr, Path));
        Globals::UnregisterHook(Function, Ids);
        // The host says so in its own line, line end included; ids it no longer knows it ignores,
        // silently.
        Globals::UnregisterHook(Function, Ids);
        Globals::UnregisterHook(Function, {Ids.first + 100, Ids.first + 100});
        ASSERT_EQ(Log.Texts().size(), 1u);
        EXPECT_TRUE(Log.Texts()[0].ends_with(Path + RC::StringType(STR("\n"))));
    }
    Order.clear();
    StandIn::InvokeScriptFunction(Path, &Block, [&](void*) { Order += "body"; });
    EXPECT_EQ(Order, "body");
}

TEST_F(ObjectSystemTest, CallsEveryStoredHookEvenAnEmptyOne) {
    auto* Function = static_cast<RC::Unreal::UFunction*>(StandIn::MakeFindable(Path));
    int Block = 0;
    const auto Ids = Globals::RegisterHook(
        Function, [](UnrealScriptFunctionCallableContext&, void*) {}, {}, nullptr);
    // Ids start at 1, after a Reset too.
    EXPECT_GE(Ids.first, 1);
    EXPECT_THROW(StandIn::InvokeScriptFunction(Path, &Block), std::bad_function_call);
    Globals::UnregisterHook(Function, Ids);
    EXPECT_EQ(StandIn::HookCount(Path), 0);
}

TEST_F(ObjectSystemTest, HooksOutliveTheirFunction) {
    auto* Function = static_cast<RC::Unreal::UFunction*>(StandIn::MakeFindable(Path));
    [[maybe_unused]] const auto Ids = Globals::RegisterHook(Function, {}, {}, nullptr);
    StandIn::Unload(Path);
    EXPECT_EQ(Globals::FindObject(nullptr, nullptr, Path), nullptr);
#if QVH_STAND_IN_HOST_GENERATION < 4
    EXPECT_THROW(Globals::UnregisterHook(Path, Ids), std::runtime_error);
#endif
    // Kept by the function's name: still there when the widget is loaded again.
    EXPECT_EQ(StandIn::HookCount(Path), 1);
}

TEST_F(ObjectSystemTest, ChangingTheHooksOfACallUnderWayEndsTheProcess) {
    // The host's table has no lock: a change while the game thread walks it may destroy the
    // callable it runs.
    auto* Function = static_cast<RC::Unreal::UFunction*>(StandIn::MakeFindable(Path));
    const auto Nothing = [](UnrealScriptFunctionCallableContext&, void*) {};
    Globals::RegisterHook(
        Function,
        [Function, Nothing](UnrealScriptFunctionCallableContext&, void*) {
            Globals::RegisterHook(Function, Nothing, Nothing, nullptr);
        },
        Nothing, nullptr);
    int Block = 0;
    EXPECT_DEATH(StandIn::InvokeScriptFunction(Path, &Block), "changed while a call");
}

TEST_F(ObjectSystemTest, ShowsTheFaultsItIsGiven) {
    StandIn::SetFaults({.InFindObject = [] { throw std::runtime_error("lookup failed"); }});
    EXPECT_THROW(Globals::FindObject(nullptr, nullptr, Path), std::runtime_error);

    StandIn::MakeFindable(Path);
    StandIn::SetFaults({.InRegisterHook = [] { throw std::runtime_error("hook failed"); }});
    EXPECT_THROW(Globals::RegisterHook(Path, {}, {}, nullptr), std::runtime_error);
    EXPECT_EQ(StandIn::HookCount(Path), 0);

    StandIn::SetFaults({.ZeroHookIds = true});
    EXPECT_EQ(Globals::RegisterHook(Path, {}, {}, nullptr), (std::pair{0, 0}));
    EXPECT_EQ(StandIn::HookCount(Path), 1);
}

}  // namespace

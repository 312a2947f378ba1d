#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "Unreal/UObjectGlobals.hpp"

namespace {

using namespace std::chrono_literals;
namespace Globals = RC::Unreal::UObjectGlobals;
using RC::Unreal::UnrealScriptFunctionCallableContext;

constexpr const RC::CharType* Path = STR("/Game/Test/Widget.Widget_C:Function");

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
    EXPECT_NE(Ids, (std::pair{0, 0}));

    StandIn::InvokeScriptFunction(Path, &Block, [&](void* Params) {
        Order += "body(" + std::to_string(*static_cast<int*>(Params)) + ") ";
    });
    EXPECT_EQ(Order, "pre body(7) post");

    EXPECT_TRUE(Globals::UnregisterHook(Path, Ids));
    EXPECT_FALSE(Globals::UnregisterHook(Path, Ids));
    Order.clear();
    StandIn::InvokeScriptFunction(Path, &Block, [&](void*) { Order += "body"; });
    EXPECT_EQ(Order, "body");
}

TEST_F(ObjectSystemTest, UnregistersByFunctionObject) {
    auto* Function = static_cast<RC::Unreal::UFunction*>(StandIn::MakeFindable(Path));
    const auto Ids = Globals::RegisterHook(Path, {}, {}, nullptr);
    EXPECT_EQ(StandIn::HookCount(Path), 1);
    EXPECT_TRUE(Globals::UnregisterHook(Function, Ids));
    EXPECT_EQ(StandIn::HookCount(Path), 0);
}

TEST_F(ObjectSystemTest, ShowsTheFaultsItIsGiven) {
    StandIn::SetFaults({.InFindObject = [] { throw std::runtime_error("lookup failed"); }});
    EXPECT_THROW(Globals::FindObject(nullptr, nullptr, Path), std::runtime_error);

    StandIn::SetFaults({.InRegisterHook = [] { throw std::runtime_error("hook failed"); }});
    EXPECT_THROW(Globals::RegisterHook(Path, {}, {}, nullptr), std::runtime_error);
    EXPECT_EQ(StandIn::HookCount(Path), 0);

    StandIn::SetFaults({.ZeroHookIds = true});
    EXPECT_EQ(Globals::RegisterHook(Path, {}, {}, nullptr), (std::pair{0, 0}));
    EXPECT_EQ(StandIn::HookCount(Path), 1);
}

}  // namespace

// The built mod library loaded, told the engine is ready, uninstalled and freed hundreds of times,
// each time at a random moment of its scan; thousands of lives in one load; and the host's restart
// of all mods, which frees the library at once while the game thread may be running the mod's
// hooks. Nothing may run in a library that is gone, and no call may be answered twice.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "StandIn/ModLibrary.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ProgramFolder.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/process_footprint.hpp"
#include "tests/support/wait_until.hpp"

namespace {

using namespace std::chrono_literals;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;
const RC::StringType KeptLine =
    STR("QVH_MotionArchive : The library stays loaded until the game ends, and its CPPCommsCall "
        "hooks now do nothing: a changed DLL takes effect at the next start of the game\n");

// Whether the mod library is still mapped into this process, where the system can tell.
bool ModLibraryMapped() {
#ifdef __linux__
    std::ifstream Maps("/proc/self/maps");
    for (std::string Line; std::getline(Maps, Line);) {
        if (Line.ends_with("/" QVH_MOD_FILE_NAME)) {
            return true;
        }
    }
#endif
    return false;
}

std::unique_ptr<StandIn::ModLibrary> LoadMod() {
    std::string Error;
    auto Library = StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Error);
    EXPECT_TRUE(Library) << Error;
    return Library;
}

// One life of the mod in the host: loaded, started, told the engine is ready, hooked.
struct ModLife {
    std::unique_ptr<StandIn::ModLibrary> Library = LoadMod();
    RC::CppUserModBase* Mod = Library ? Library->CallStartMod() : nullptr;

    // Starts the scan and waits for the hooks that make Hooks pairs in all.
    bool Hook(int Hooks) {
        if (Mod == nullptr) {
            return false;
        }
        Mod->on_unreal_init();
        return QVH::Test::WaitUntil([&] { return StandIn::HookCount(Path) == Hooks; }, 2500ms);
    }
    // The host's end of a life: uninstall_mod, then the library freed at once.
    void End() {
        Library->CallUninstallMod(Mod);
        Library.reset();
    }
};

// A mod that never hooked leaves nothing in the host, so the library really goes; the widget is
// never findable while the mod lives, or the engine-ready notification never comes.
TEST(ModLibraryCyclesTest, AModThatNeverHookedLeavesNothingRunningWhenUnloadedAtAnyMomentOfItsScan) {
    if (ModLibraryMapped()) {
        GTEST_SKIP() << "an earlier test in this process kept the mod library loaded";
    }
    QVH::Test::CapturedLog Log;
    std::mt19937 Random(20240607);
    const auto Pick = [&Random](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(Random);
    };
    constexpr int Cycles = 300;
    for (int Cycle = 0; Cycle < Cycles; ++Cycle) {
        SCOPED_TRACE(Cycle);
        StandIn::Reset();
        ModLife Life;
        ASSERT_NE(Life.Mod, nullptr);
        // The last cycle scans, so the check after the loop sees a scan that was waiting.
        if (Cycle + 1 == Cycles || Pick(0, 3) != 0) {
            Life.Mod->on_unreal_init();
        }
        if (Pick(0, 3) != 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(Pick(0, 1500)));
        }
        Life.Library->CallUninstallMod(Life.Mod);
        StandIn::MakeFindable(Path);
#ifdef __linux__
        ASSERT_TRUE(ModLibraryMapped());  // the check below can see it at all
#endif
        Life.Library.reset();
        // Really gone, so that anything left running in it would crash here.
        ASSERT_FALSE(ModLibraryMapped());
    }
    // Had the last scan outlived its library, it would look again within a second, in code that
    // is gone, and hook the function that is findable now.
    const int Lookups = StandIn::LookupCount(Path);
    std::this_thread::sleep_for(1100ms);
    EXPECT_EQ(StandIn::LookupCount(Path), Lookups);
    EXPECT_EQ(StandIn::HookCount(Path), 0);
    // The start-up line of each cycle, and nothing else.
    EXPECT_EQ(Log.Texts(), std::vector<RC::StringType>(
                               Cycles, STR("QVH_MotionArchive C++ Side Initialized!\n")));
    StandIn::Reset();
}

// Many lives in one load, each uninstalled while its scan waits for a widget that never loads:
// stopping the wait must never lose its wake-up, or uninstall_mod would hang the host.
TEST(ModLibraryCyclesTest, EveryLifeInOneLoadEndsWhileItsScanWaits) {
    QVH::Test::CapturedLog Log;
    StandIn::Reset();
    const auto Library = LoadMod();
    ASSERT_TRUE(Library);
    std::mt19937 Random(20261209);
    constexpr int Lives = 3000;
    for (int Life = 0; Life < Lives; ++Life) {
        RC::CppUserModBase* Mod = Library->CallStartMod();
        ASSERT_NE(Mod, nullptr) << Life;
        Mod->on_unreal_init();
        std::this_thread::sleep_for(
            std::chrono::microseconds(std::uniform_int_distribution<int>(0, 1000)(Random)));
        Library->CallUninstallMod(Mod);
    }
    EXPECT_EQ(StandIn::HookCount(Path), 0);
    EXPECT_EQ(Log.Texts().size(), static_cast<std::size_t>(Lives));
    StandIn::Reset();
}

#ifdef _WIN32
// A library that unloads takes all it set up with it: a runtime that kept a thread-local slot per
// load would end the process after about a thousand lives, one that kept its memory would grow.
TEST(ModLibraryCyclesTest, LoadsOfAModThatNeverHookedLeaveTheProcessAsTheyFoundIt) {
    QVH::Test::CapturedLog Log;
    StandIn::Reset();
    const auto Live = [] {
        ModLife Life;
        ASSERT_NE(Life.Mod, nullptr);
        Life.Mod->on_unreal_init();
        std::this_thread::sleep_for(200us);
        Life.End();
    };
    // What the first life sets up for the whole process may stay.
    Live();
    const QVH::Test::ProcessFootprint Before = QVH::Test::MeasureProcess();
    constexpr int Loads = 1200;
    for (int Load = 0; Load < Loads && !testing::Test::HasFatalFailure(); ++Load) {
        Live();
    }
    const QVH::Test::ProcessFootprint After = QVH::Test::MeasureProcess();
    EXPECT_EQ(After.NextThreadSlot, Before.NextThreadSlot);
    EXPECT_LT(After.CommittedPrivateBytes, Before.CommittedPrivateBytes + (4u << 20));
    std::printf("%d loads: %+lld bytes committed\n", Loads,
                static_cast<long long>(After.CommittedPrivateBytes) -
                    static_cast<long long>(Before.CommittedPrivateBytes));
    StandIn::Reset();
}
#endif

// A mod uninstalled at a random moment around its hooking: whatever it hooked stays in the host
// and does nothing, and it says so once.
TEST(ModLibraryCyclesTest, AModUninstalledAtAnyMomentOfItsHookingLeavesHooksThatDoNothing) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{\r\n}");
    QVH::Test::CapturedLog Log;
    std::mt19937 Random(20261208);
    const auto Pick = [&Random](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(Random);
    };
    int Hooked = 0;
    for (int Cycle = 0; Cycle < 100; ++Cycle) {
        SCOPED_TRACE(Cycle);
        StandIn::Reset();
        ModLife Life;
        ASSERT_NE(Life.Mod, nullptr);
        StandIn::MakeFindableAfter(Path, std::chrono::milliseconds(Pick(0, 2)));
        Life.Mod->on_unreal_init();
        std::this_thread::sleep_for(std::chrono::microseconds(Pick(0, 3000)));
        Life.End();

        Hooked += StandIn::HookCount(Path);
        QVH::Test::CommsCallBlock Block(QVH::ReadCallType, STR("Idle.json"));
        StandIn::InvokeScriptFunction(Path, Block.Data());
        EXPECT_EQ(Block.PayloadUnits(), STR("Idle.json"));
    }
    const auto Texts = Log.Texts();
    EXPECT_EQ(std::count(Texts.begin(), Texts.end(), KeptLine), Hooked);
    EXPECT_EQ(Texts.size(), 100u + static_cast<std::size_t>(Hooked));
    std::printf("100 cycles uninstalled around their hooking; %d hooked\n", Hooked);
    StandIn::Reset();
}

// The host's restart of all mods (Ctrl+R): uninstall_mod on its own thread, the library freed at
// once, loaded again from the same path, started, told the engine is ready; meanwhile the game
// thread goes on calling the hooks where the host's table keeps them.
TEST(ModLibraryRestartsTest, CallsUnderWayNeverCrashAndEachCallIsAnsweredOnceInEveryLife) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{\r\n}");
    QVH::Test::CapturedLog Log;
    StandIn::Reset();
    StandIn::MakeFindable(Path);
    ModLife First;
    ASSERT_TRUE(First.Hook(1));

    std::atomic<bool> Stop{false};
    std::atomic<int> Answered{0};
    std::atomic<int> LeftAlone{0};
    std::atomic<int> Garbled{0};
    std::vector<std::thread> GameThreads;
    for (int I = 0; I < 4; ++I) {
        GameThreads.emplace_back([&] {
            while (!Stop.load()) {
                QVH::Test::CommsCallBlock Block(QVH::ReadCallType, STR("Idle.json"));
                StandIn::InvokeScriptFunction(Path, Block.Data());
                const RC::StringType Payload = Block.PayloadUnits();
                ++(Payload == STR("{}")          ? Answered
                   : Payload == STR("Idle.json") ? LeftAlone
                                                 : Garbled);
            }
        });
    }
    ASSERT_TRUE(QVH::Test::WaitUntil([&] { return Answered.load() >= 200; }, 5000ms));
    First.End();
    const int AnsweredByTheEnd = Answered.load();
    ASSERT_TRUE(QVH::Test::WaitUntil([&] { return LeftAlone.load() >= 200; }, 5000ms));
    Stop = true;
    for (std::thread& Thread : GameThreads) {
        Thread.join();
    }
    EXPECT_EQ(Garbled.load(), 0);
    // At most the calls that were inside the hooks as they closed were answered after the end.
    EXPECT_LE(Answered.load(), AnsweredByTheEnd + 4);
    EXPECT_EQ(StandIn::HookCount(Path), 1);

    ModLife Second;
    ASSERT_TRUE(Second.Hook(2));
    QVH::Test::ExpectEachCallAnsweredOnce();
    // The game lets go of the widget before the next restart, and loads it again after.
    StandIn::Unload(Path);
    Second.End();
    ModLife Third;
    StandIn::MakeFindable(Path);
    ASSERT_TRUE(Third.Hook(3));
    QVH::Test::ExpectEachCallAnsweredOnce();
    Third.End();

    EXPECT_EQ(StandIn::HookCount(Path), 3);
    QVH::Test::CommsCallBlock Block(QVH::ReadCallType, STR("Idle.json"));
    StandIn::InvokeScriptFunction(Path, Block.Data());
    EXPECT_EQ(Block.PayloadUnits(), STR("Idle.json"));
    const auto Texts = Log.Texts();
    EXPECT_EQ(std::count(Texts.begin(), Texts.end(), KeptLine), 3);
    std::printf("restart with calls under way: %d answered before uninstall_mod, %d left alone\n",
                AnsweredByTheEnd, LeftAlone.load());
}

}  // namespace

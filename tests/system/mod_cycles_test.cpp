// The built mod library loaded, told the engine is ready, uninstalled and unloaded hundreds of
// times, each time at a random moment of its scan: before the first lookup, during the wait
// between lookups, while hooking, or after. Nothing may outlive the library. And the host's
// reload after the widget went: the hooks it keeps must find their code, and do nothing.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <thread>

#include "StandIn/ModLibrary.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ProgramFolder.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/wait_until.hpp"

namespace {

using namespace std::chrono_literals;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;
constexpr int Cycles = 300;

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

enum class Widget { LoadedBefore, LoadedSoon, NeverLoaded, NoEngineReady };

TEST(ModLibraryCycles, NothingOutlivesTheLibraryWhenUnloadedAtAnyMomentOfTheScan) {
    if (ModLibraryMapped()) {
        GTEST_SKIP() << "an earlier test in this process kept the mod library loaded";
    }
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{\r\n}");
    QVH::Test::CapturedLog Log;
    std::mt19937 Random(20240607);
    const auto Pick = [&Random](int Low, int High) {
        return std::uniform_int_distribution<int>(Low, High)(Random);
    };
    int Hooked = 0;
    int Served = 0;
    for (int Cycle = 0; Cycle < Cycles; ++Cycle) {
        SCOPED_TRACE(Cycle);
        StandIn::Reset();
        // The last cycle scans in vain, so the check after the loop sees a scan that was waiting.
        const auto Case = Cycle + 1 == Cycles ? Widget::NeverLoaded : Widget(Pick(0, 3));
        std::string Error;
        auto Library =
            StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Error);
        ASSERT_TRUE(Library) << Error;
        RC::CppUserModBase* Mod = Library->CallStartMod();
        ASSERT_NE(Mod, nullptr);
        if (Case == Widget::LoadedBefore || Case == Widget::NoEngineReady) {
            StandIn::MakeFindable(Path);
        } else if (Case == Widget::LoadedSoon) {
            StandIn::MakeFindableAfter(Path, std::chrono::milliseconds(Pick(0, 2)));
        }
        if (Case != Widget::NoEngineReady) {
            Mod->on_unreal_init();
        }
        if (Pick(0, 3) != 0) {
            std::this_thread::sleep_for(std::chrono::microseconds(Pick(0, 1500)));
        }
        if (StandIn::HookCount(Path) == 1) {
            ++Hooked;
            QVH::Test::CommsCallBlock Block(2, STR("Idle.json"));
            StandIn::InvokeScriptFunction(Path, Block.Data());
            Served += Block.Payload() == STR("{}");
        }

        Library->CallUninstallMod(Mod);
        ASSERT_EQ(StandIn::HookCount(Path), 0);
#ifdef __linux__
        ASSERT_TRUE(ModLibraryMapped());  // the check below can see it at all
#endif
        Library.reset();
        // Really gone, so that anything left running in it would crash here.
        ASSERT_FALSE(ModLibraryMapped());
    }
    // Had the last scan outlived its library, it would look again within a second, in code that
    // is gone.
    const int Lookups = StandIn::LookupCount(Path);
    std::this_thread::sleep_for(1100ms);
    EXPECT_EQ(StandIn::LookupCount(Path), Lookups);
    EXPECT_EQ(Served, Hooked);
    // One start-up line a cycle; besides, only the host's own line for each removal of hooks,
    // which every cycle that hooked made (some hooked after the check above).
    const RC::StringType StartUp = STR("QVH_MotionArchive C++ Side Initialized!\n");
    const RC::StringType Unhooked =
        RC::StringType(STR("[UnregisterHook] Unregistered the hooks of ")) + RC::StringType(Path) +
        STR("\n");
    int StartUps = 0;
    int Unhooks = 0;
    for (const RC::StringType& Line : Log.Texts()) {
        StartUps += Line == StartUp;
        Unhooks += Line == Unhooked;
    }
    EXPECT_EQ(StartUps, Cycles);
    EXPECT_GE(Unhooks, Hooked);
    EXPECT_EQ(StartUps + Unhooks, static_cast<int>(Log.Texts().size()));
    std::printf(
        "%d load, engine-ready, uninstall_mod and unload cycles; %d hooked and served a "
        "call before their end\n",
        Cycles, Hooked);
    StandIn::Reset();
}

// The host's reload when the widget was unloaded first: uninstall_mod cannot remove the hooks,
// the host unloads the library and keeps the hooks by the function's name, then loads and
// starts the mod again and the widget comes back. Without the library kept loaded, the first
// call would jump into unmapped code.
TEST(ModLibraryCycles, HooksLeftInTheHostDoNothingAfterTheModIsLoadedAgain) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Idle.json", "{\r\n}");
    QVH::Test::CapturedLog Log;
    StandIn::Reset();
    const auto Start = [](std::unique_ptr<StandIn::ModLibrary>& Library) {
        std::string Error;
        Library = StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Error);
        EXPECT_TRUE(Library) << Error;
        RC::CppUserModBase* Mod = Library ? Library->CallStartMod() : nullptr;
        if (Mod != nullptr) {
            Mod->on_unreal_init();
        }
        return Mod;
    };
    std::unique_ptr<StandIn::ModLibrary> Library;
    StandIn::MakeFindable(Path);
    RC::CppUserModBase* Mod = Start(Library);
    ASSERT_NE(Mod, nullptr);
    ASSERT_TRUE(QVH::Test::WaitUntil([] { return StandIn::HookCount(Path) == 1; }, 1500ms));

    StandIn::Unload(Path);
    Library->CallUninstallMod(Mod);
    Library.reset();
    EXPECT_EQ(StandIn::HookCount(Path), 1);
#ifdef __linux__
    EXPECT_TRUE(ModLibraryMapped());
#endif

    Mod = Start(Library);
    ASSERT_NE(Mod, nullptr);
    StandIn::MakeFindable(Path);
    ASSERT_TRUE(QVH::Test::WaitUntil([] { return StandIn::HookCount(Path) == 2; }, 2500ms));
    const auto Texts = Log.Texts();
    struct Case {
        std::int32_t CallType;
        RC::StringType Answer;
        std::size_t LogLines;
    } Cases[] = {
        // An answer written twice over would read the file's content as a name, and miss it.
        {2, STR("{}"), 0},
        {0, STR("Idle.json"), 1},
    };
    for (const Case& C : Cases) {
        SCOPED_TRACE(C.CallType);
        QVH::Test::CapturedLog PerCall;
        QVH::Test::CommsCallBlock Block(C.CallType, STR("Idle.json"));
        StandIn::InvokeScriptFunction(Path, Block.Data());
        EXPECT_EQ(Block.Payload(), C.Answer);
        EXPECT_EQ(PerCall.Texts().size(), C.LogLines);
    }
    Library->CallUninstallMod(Mod);
    Library.reset();
    EXPECT_EQ(StandIn::HookCount(Path), 1);

    const RC::StringType Stays =
        STR("QVH_MotionArchive : The library stays loaded until the game ends, and the "
            "CPPCommsCall hooks left in the host do nothing; they could not be removed: "
            "UnregisterHook: no function is loaded at the path\n");
    EXPECT_EQ(std::count(Texts.begin(), Texts.end(), Stays), 1);
    StandIn::Reset();
}

}  // namespace

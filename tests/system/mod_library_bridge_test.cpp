// The bridge as the host meets it: the built mod library, loaded by path, reached through its two
// exports and the engine-ready notification.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/engine_text.hpp"
#include "tests/support/failed_reads.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/mod_library_test.hpp"
#include "tests/support/wait_until.hpp"
#include "text/to_utf8.hpp"

namespace {

using namespace std::chrono_literals;
using QVH::Test::MillisecondsSince;
using QVH::Test::WaitUntil;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;

class ModLibraryBridgeTest : public QVH::Test::ModLibraryTest {
protected:
    QVH::Test::CapturedLog Log;
};

TEST_F(ModLibraryBridgeTest, ServesCallsOnceHookedAndLeavesItsHooksDoingNothingOnUninstall) {
    QVH::Test::GameFolder Game;
    Game.WriteFile("Walk.json", "{\"Frames\": 24}\r\n");
    ASSERT_NO_FATAL_FAILURE(StartHooked(500ms));
    QVH::Test::CommsCallBlock List(QVH::ListCallType, STR(""));
    StandIn::InvokeScriptFunction(Path, List.Data());
    QVH::Test::CommsCallBlock Read(QVH::ReadCallType, STR("Walk.json"));
    StandIn::InvokeScriptFunction(Path, Read.Data());
    EXPECT_EQ(List.PayloadUnits(), STR("Walk.json"));
    EXPECT_EQ(Read.PayloadUnits(), STR("{\"Frames\": 24}"));

    Uninstall();
    // The host frees the library at once; the hooks it keeps find their code and do nothing.
    Library.reset();
    EXPECT_EQ(StandIn::HookCount(Path), 1);
    QVH::Test::CommsCallBlock Later(QVH::ListCallType, STR("kept"));
    StandIn::InvokeScriptFunction(Path, Later.Data());
    EXPECT_EQ(Later.PayloadUnits(), STR("kept"));
    EXPECT_EQ(Log.Texts(),
              (std::vector<RC::StringType>{
                  STR("QVH_MotionArchive C++ Side Initialized!\n"),
                  STR("QVH_MotionArchive : The library stays loaded until the game ends, and its "
                      "CPPCommsCall hooks now do nothing: a changed DLL takes effect at the next "
                      "start of the game\n")}));
}

TEST_F(ModLibraryBridgeTest, OddNamesAndOddFilesGiveTheEmptyStringAndOneHonestLine) {
    QVH::Test::GameFolder Game;
    ASSERT_NO_FATAL_FAILURE(QVH::Test::MakeWhatFailedReadsReach(Game));
    ASSERT_NO_FATAL_FAILURE(StartHooked(500ms));
    std::vector<RC::StringType> Expected{STR("QVH_MotionArchive C++ Side Initialized!\n")};
    for (const QVH::Test::FailedRead& C : QVH::Test::FailedReads()) {
        QVH::Test::CommsCallBlock Read(QVH::ReadCallType, QVH::Test::Engine(C.Name));
        StandIn::InvokeScriptFunction(Path, Read.Data());
        EXPECT_EQ(Read.PayloadUnits(), STR("")) << QVH::ToUtf8Lossy(QVH::Test::Engine(C.Name));
        Expected.push_back(QVH::Test::Engine(u"QVH_MotionArchive : " + C.Line + u"\n"));
    }
    EXPECT_EQ(Log.Texts(), Expected);
}

TEST_F(ModLibraryBridgeTest, UninstallWhileScanningReturnsPromptlyAndNothingRunsAfterwards) {
    Mod = Library->CallStartMod();
    ASSERT_NE(Mod, nullptr);
    Mod->on_unreal_init();
    ASSERT_TRUE(WaitUntil([] { return StandIn::LookupCount(Path) == 1; }, 500ms));

    const auto Start = std::chrono::steady_clock::now();
    Uninstall();
    EXPECT_LT(MillisecondsSince(Start), 100);

    // Were the scan still alive, it would look again within a second and hook what it found.
    StandIn::MakeFindable(Path);
    std::this_thread::sleep_for(1200ms);
    EXPECT_EQ(StandIn::LookupCount(Path), 1);
    EXPECT_EQ(StandIn::HookCount(Path), 0);
}

}  // namespace

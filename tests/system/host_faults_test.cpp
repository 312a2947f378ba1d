// The host failing the mod where it logs: a device that throws, or a null entry in the device
// list, at each place a line is sent. The line that could not be sent is lost; the call, the scan
// and the game go on.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "DynamicOutput/Output.hpp"
#include "StandIn/ModLibrary.hpp"
#include "StandIn/ObjectRegistry.hpp"
#include "StandIn/ProgramFolder.hpp"
#include "StandIn/ScriptCalls.hpp"
#include "bridge/comms_function_path.hpp"
#include "mod/qvh_motion_archive.hpp"
#include "tests/support/captured_log.hpp"
#include "tests/support/comms_call_block.hpp"
#include "tests/support/game_folder.hpp"
#include "tests/support/scan_test.hpp"
#include "tests/support/wait_until.hpp"

namespace {

using namespace std::chrono_literals;
using RC::Output::OutputDevice;

constexpr RC::StringViewType Path = QVH::CommsFunctionPathView;

template <typename Thrown>
class ThrowingDevice : public OutputDevice {
public:
    explicit ThrowingDevice(Thrown InError) : Error(InError) {}
    auto receive(RC::StringViewType) const -> void override { throw Error; }

private:
    Thrown Error;
};

// A faulty device after a capturing one, and the text a failure line carries for its fault.
struct Fault {
    const char* Name;
    std::unique_ptr<OutputDevice> (*Make)();
    RC::StringViewType Text;
};

const Fault Faults[] = {
    {"device throws a std::exception",
     []() -> std::unique_ptr<OutputDevice> {
         return std::make_unique<ThrowingDevice<std::runtime_error>>(
             std::runtime_error("disk full"));
     },
     STR("disk full")},
    {"device throws something else",
     []() -> std::unique_ptr<OutputDevice> { return std::make_unique<ThrowingDevice<int>>(5); },
     STR("unknown error")},
    {"null device entry", []() -> std::unique_ptr<OutputDevice> { return nullptr; },
     STR("[Output::send] Attempted to send but there were no default devices. Please specify at "
         "least one default device or construct a Targets object and supply your own devices.")},
};

// The whole line the mod sends: Prefix, Text and the line end.
RC::StringType Line(RC::StringViewType Prefix, RC::StringViewType Text) {
    return RC::StringType(Prefix) + RC::StringType(Text) + STR("\n");
}

// For its lifetime, the log of a host with F's fault: a capturing device, then the faulty one.
class FaultyLog : public QVH::Test::CapturedLog {
public:
    explicit FaultyLog(const Fault& F) {
        RC::Output::DefaultTargets::get_default_devices_ref().push_back(F.Make());
    }
};

// A scan of a findable function, in a host with HostFault and F's device, waited for until it
// ends. The faulty device stays until the mod is gone, so the mod's teardown meets it too.
struct FaultyScan {
    FaultyScan(const Fault& F, StandIn::Faults HostFault) : Log(F) {
        StandIn::Reset();
        StandIn::MakeFindable(Path);
        StandIn::SetFaults(std::move(HostFault));
        Mod = QVH::Test::InstalledMod();
        Mod->on_unreal_init();
        Ended = QVH::Test::WaitUntil([this] { return Mod->Scan.Finished(); }, 1500ms);
    }

    FaultyLog Log;
    std::unique_ptr<QVH::QVH_MotionArchive> Mod;
    bool Ended = false;
};

using HostFaultsTest = QVH::Test::ScanTest;

TEST_F(HostFaultsTest, FailingLogLinesOfACallAreDroppedAndThePayloadIsKept) {
    QVH::Test::GameFolder Game;
    Game.RemoveAnimFolder();
    for (const Fault& F : Faults) {
        SCOPED_TRACE(F.Name);
        struct Case {
            std::int32_t CallType;
            RC::StringType Payload;
            RC::StringType FirstLine;  // the line whose sending failed
        } Cases[] = {
            {9, STR("keep"),
             STR("QVH_MotionArchive : CPPCommsCall received but CallType was invalid.\n")},
            {QVH::ReadCallType, STR("missing.json"),
             STR("QVH_MotionArchive : Animation file not found: missing.json\n")},
            {QVH::ReadCallType, STR("../x.json"),
             STR("QVH_MotionArchive : Refused a file name that leaves the animation folder: "
                 "../x.json\n")},
            {QVH::ListCallType, STR("keep"),
             STR("QVH_MotionArchive : Animation folder not found: "
                 "../../Content/Paks/~Mods/AnimJSON\n")},
        };
        for (const Case& C : Cases) {
            const FaultyLog PerCase(F);
            QVH::Test::CommsCallBlock Block(C.CallType, C.Payload);

            EXPECT_NO_THROW(QVH::Test::Dispatch(Block));

            EXPECT_EQ(Block.PayloadUnits(), C.Payload);
            EXPECT_TRUE(Block.GuardsIntact());
            EXPECT_EQ(
                PerCase.Texts(),
                (std::vector<RC::StringType>{
                    C.FirstLine, Line(STR("QVH_MotionArchive : CPPCommsCall failed: "), F.Text)}));
        }
    }
}

TEST_F(HostFaultsTest, AScanWhoseFailureCannotBeLoggedStillEnds) {
    for (const Fault& F : Faults) {
        SCOPED_TRACE(F.Name);

        const FaultyScan Scan(F,
                              {.InFindObject = [] { throw std::runtime_error("lookup broke"); }});

        ASSERT_TRUE(Scan.Ended);
        EXPECT_EQ(Scan.Log.Texts(),
                  std::vector<RC::StringType>{
                      STR("QVH_MotionArchive : Scan for CPPCommsCall failed: lookup broke\n")});
        EXPECT_EQ(StandIn::HookCount(Path), 0);
    }
}

TEST_F(HostFaultsTest, AnUninstallWhoseLineCannotBeSentStillLeavesTheHooksDoingNothing) {
    for (const Fault& F : Faults) {
        SCOPED_TRACE(F.Name);
        FaultyScan Scan(F, {});
        ASSERT_TRUE(Scan.Ended);

        Scan.Mod.reset();

        EXPECT_EQ(Scan.Log.Texts(),
                  std::vector<RC::StringType>{
                      STR("QVH_MotionArchive : The library stays loaded until the game ends, and "
                          "its CPPCommsCall hooks now do nothing: a changed DLL takes effect at "
                          "the next start of the game\n")});
        EXPECT_EQ(StandIn::HookCount(Path), 1);
        QVH::Test::CommsCallBlock Block(0, STR("kept"));
        StandIn::InvokeScriptFunction(Path, Block.Data());
        EXPECT_EQ(Block.PayloadUnits(), STR("kept"));
    }
}

TEST_F(HostFaultsTest, StartModWhoseLineCannotBeSentGivesNoModObject) {
    std::string Error;
    auto Library = StandIn::ModLibrary::Load(StandIn::ProgramFolder() / QVH_MOD_FILE_NAME, Error);
    ASSERT_TRUE(Library) << Error;
    for (const Fault& F : Faults) {
        SCOPED_TRACE(F.Name);
        const FaultyLog PerCase(F);

        // The object made before the line failed is freed: the leak checker would say otherwise.
        EXPECT_EQ(Library->CallStartMod(), nullptr);
        EXPECT_EQ(PerCase.Texts(),
                  (std::vector<RC::StringType>{
                      STR("QVH_MotionArchive C++ Side Initialized!\n"),
                      Line(STR("QVH_MotionArchive : The mod could not start: "), F.Text)}));
    }
}

}  // namespace
